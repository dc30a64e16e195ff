#pragma once
#include <QWidget>

#include <vector>

class QPainter;
struct ConfigModel;
struct CurvePoint;

// A curve drawn from a few model values.  The model has no change
// notification: the page's display step asks the curve to look at it
// (creatData) on a refresh that found the settings changed, and the curve
// repaints only when a value it last drew has changed.
class CurveWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CurveWidget(QWidget *parent = nullptr);
    // The model drawn; none draws nothing (the form builds the widget first).
    void setModel(const ConfigModel *m) { model = m; }

public slots:
    void creatData();

protected:
    const ConfigModel *model = nullptr;
    // The model values the curve is drawn from.
    virtual std::vector<int> inputs() const = 0;
    // Draws the curve of the values inputs() gives now.
    virtual void draw(QPainter &p) = 0;
    // The white square and the green outline under each curve.
    static void drawFrame(QPainter &p, int fillSize, const CurvePoint &topLeft, const CurvePoint &bottomRight);

private:
    void paintEvent(QPaintEvent *event) final;

    std::vector<int> drawn;  // empty until the first paint
};
