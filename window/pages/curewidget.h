#pragma once
#include <QWidget>

#include <array>
#include <climits>

class QTimer;
struct ConfigModel;

// Seven-point throttle curve.  Looks at the model every 100 ms and repaints
// when a point it last drew has changed.
class cureWidget : public QWidget
{
    Q_OBJECT
public:
    explicit cureWidget(QWidget *parent = nullptr);
    // The model drawn; none draws nothing (the form builds the widget first).
    void setModel(const ConfigModel *m) { model = m; }

public slots:
    void creatData();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<int, 7> modelPoints() const;

    const ConfigModel *model = nullptr;
    QTimer *timer;
    std::array<int, 7> drawnPoints{{INT_MIN}};
};
