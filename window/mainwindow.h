#pragma once

#include "configmodel.h"
#include "history.h"
#include "hover.h"
#include "monitorstate.h"
#include "shownstate.h"

#include <QByteArray>
#include <QMainWindow>
#include <QString>
#include <QStringList>

class CommandGuard;
class CommandScope;
class StatusLine;
class DifferenceMarks;
class PageSteps;
class QCloseEvent;
class QTimer;
class RangeSession;
class TransmitterLink;

namespace Ui {
class MainWindow;
}

// The one window of the tool.  Every behaviour is a private slot; editors
// are bound to their slots by object name when the form is built.  The
// members are defined in the window/ file of their subject (read.cpp,
// write.cpp, saveload.cpp, ...; the display steps in window/pages/), the
// conversation with the transmitter is the link's (link/), and the rules
// themselves live in GUI-free functions those slots call.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The settings the pages show, and what the transmitter is known to
    // hold (after a read, a verified write or a load).
    ConfigModel &model() { return cfg; }
    const ConfigModel &transmitterModel() const { return known; }
    // Whether a write is read back and compared (--no-verify turns it off).
    void setVerifyWrites(bool on);

    // Puts a port the system does not list (a pseudo-terminal, a
    // /dev/serial/by-id/ link) into the port list and selects it; it stays
    // offered for the window's life.
    void offerPort(const QString &path);
    // Selects a port by the name the list shows or by its device path; one
    // the system does not list is offered.
    void choosePort(const QString &nameOrPath);
    // The kept history of what transmitters held (history.h).
    HistoryStore &historyStore() { return *history; }

protected:
    // A close while a command runs waits for the command to end.
    void closeEvent(QCloseEvent *event) override;

signals:
    // The open port went away under the window (cable pulled); emitted
    // before the window shows the disconnected state.
    void linkLost();

private slots:
    void on_openButton_clicked();
    void serialPort_readyRead();
    int byteArrayToInt(QByteArray b, int a);
    void on_toolButton_Read_clicked();
    void on_toolButton_Load_clicked();
    void on_toolButton_Send_clicked();
    void on_toolButton_Save_clicked();
    void on_toolButton_Reset_clicked();
    void Servo_Display();
    void Recieve_Display();
    void Rev_Display();
    void EPA_Display();
    void SubTrim_Display();
    void FS_Display();
    void Delay_Display();
    void Aux_Display();
    void DR_Display();
    void Parameter_Display();
    void Atti_Display();
    void Elev_Display();
    void Vtype_Display();
    void Prm_Display();
    void DRCure_Display();
    void THcure_Display();
    void ui_Display();
    void on_spinBox_sub1_valueChanged(int arg1);
    void on_spinBox_sub2_valueChanged(int arg1);
    void on_spinBox_sub3_valueChanged(int arg1);
    void on_spinBox_sub4_valueChanged(int arg1);
    void on_spinBox_sub5_valueChanged(int arg1);
    void on_spinBox_sub6_valueChanged(int arg1);
    void on_spinBox_sub7_valueChanged(int arg1);
    void on_spinBox_sub8_valueChanged(int arg1);
    void on_spinBox_Lepa1_valueChanged(int arg1);
    void on_spinBox_Lepa2_valueChanged(int arg1);
    void on_spinBox_Lepa3_valueChanged(int arg1);
    void on_spinBox_Lepa4_valueChanged(int arg1);
    void on_spinBox_Lepa5_valueChanged(int arg1);
    void on_spinBox_Lepa6_valueChanged(int arg1);
    void on_spinBox_Lepa7_valueChanged(int arg1);
    void on_spinBox_Lepa8_valueChanged(int arg1);
    void on_spinBox_Repa1_valueChanged(int arg1);
    void on_spinBox_Repa2_valueChanged(int arg1);
    void on_spinBox_Repa3_valueChanged(int arg1);
    void on_spinBox_Repa4_valueChanged(int arg1);
    void on_spinBox_Repa5_valueChanged(int arg1);
    void on_spinBox_Repa6_valueChanged(int arg1);
    void on_spinBox_Repa7_valueChanged(int arg1);
    void on_spinBox_Repa8_valueChanged(int arg1);
    void on_spinBox_FS1_valueChanged(int arg1);
    void on_spinBox_FS2_valueChanged(int arg1);
    void on_spinBox_FS3_valueChanged(int arg1);
    void on_spinBox_FS4_valueChanged(int arg1);
    void on_spinBox_FS5_valueChanged(int arg1);
    void on_spinBox_FS6_valueChanged(int arg1);
    void on_spinBox_FS7_valueChanged(int arg1);
    void on_spinBox_FS8_valueChanged(int arg1);
    void on_spinBox_delay1_valueChanged(int arg1);
    void on_spinBox_delay2_valueChanged(int arg1);
    void on_spinBox_delay3_valueChanged(int arg1);
    void on_spinBox_delay4_valueChanged(int arg1);
    void on_spinBox_delay5_valueChanged(int arg1);
    void on_spinBox_delay6_valueChanged(int arg1);
    void on_spinBox_delay7_valueChanged(int arg1);
    void on_comboBox_rev1_currentIndexChanged(int index);
    void on_comboBox_rev2_currentIndexChanged(int index);
    void on_comboBox_rev3_currentIndexChanged(int index);
    void on_comboBox_rev4_currentIndexChanged(int index);
    void on_comboBox_rev5_currentIndexChanged(int index);
    void on_comboBox_rev6_currentIndexChanged(int index);
    void on_comboBox_rev7_currentIndexChanged(int index);
    void on_comboBox_rev8_currentIndexChanged(int index);
    void on_comboBox_AUX5_currentIndexChanged(int index);
    void on_comboBox_AUX6_currentIndexChanged(int index);
    void on_comboBox_AUX7_currentIndexChanged(int index);
    void on_comboBox_AUX8_currentIndexChanged(int index);
    void on_comboBox_DR_MIX1_currentIndexChanged(int index);
    void on_comboBox_DR_CH1_currentIndexChanged(int index);
    void on_spinBox_DR_UP1_valueChanged(int arg1);
    void on_spinBox_DR_DOWN1_valueChanged(int arg1);
    void on_doubleSpinBox_Volt_valueChanged(double arg1);
    void on_spinBox_Mode_valueChanged(int arg1);
    void on_spinBox_Vertion_valueChanged(int arg1);
    void on_comboBox_AttiM_currentIndexChanged(int index);
    void on_spinBox_Atti1_valueChanged(int arg1);
    void on_spinBox_Atti2_valueChanged(int arg1);
    void on_spinBox_Atti3_valueChanged(int arg1);
    void on_spinBox_Atti4_valueChanged(int arg1);
    void on_spinBox_Atti5_valueChanged(int arg1);
    void on_spinBox_Atti6_valueChanged(int arg1);
    void on_comboBox_EleMix_currentIndexChanged(int index);
    void on_spinBox_Elev01_valueChanged(int arg1);
    void on_spinBox_Elev02_valueChanged(int arg1);
    void on_spinBox_Elev03_valueChanged(int arg1);
    void on_spinBox_Elev04_valueChanged(int arg1);
    void on_spinBox_Elev05_valueChanged(int arg1);
    void on_spinBox_Elev06_valueChanged(int arg1);
    void on_comboBox_RuMix_currentIndexChanged(int index);
    void on_spinBox_Ru1_valueChanged(int arg1);
    void on_spinBox_Ru2_valueChanged(int arg1);
    void on_spinBox_Ru3_valueChanged(int arg1);
    void on_spinBox_Ru4_valueChanged(int arg1);
    void on_comboBox_PRM01_Mix_currentIndexChanged(int index);
    void on_comboBox_PRM01_Master_currentIndexChanged(int index);
    void on_comboBox_PRM01_Slave_currentIndexChanged(int index);
    void on_spinBox_PRM01_Data1_valueChanged(int arg1);
    void on_spinBox_PRM01_Data2_valueChanged(int arg1);
    void on_spinBox_PRM01_Data3_valueChanged(int arg1);
    void on_comboBox_PRM02_Mix_currentIndexChanged(int index);
    void on_comboBox_PRM02_Master_currentIndexChanged(int index);
    void on_comboBox_PRM02_Slave_currentIndexChanged(int index);
    void on_spinBox_PRM02_Data1_valueChanged(int arg1);
    void on_spinBox_PRM02_Data2_valueChanged(int arg1);
    void on_spinBox_PRM02_Data3_valueChanged(int arg1);
    void on_comboBox_PRM03_Mix_currentIndexChanged(int index);
    void on_comboBox_PRM03_Master_currentIndexChanged(int index);
    void on_comboBox_PRM03_Slave_currentIndexChanged(int index);
    void on_spinBox_PRM03_Data1_valueChanged(int arg1);
    void on_spinBox_PRM03_Data2_valueChanged(int arg1);
    void on_spinBox_PRM03_Data3_valueChanged(int arg1);
    void on_comboBox_DR_MIX2_currentIndexChanged(int index);
    void on_comboBox_DR_CH2_currentIndexChanged(int index);
    void on_comboBox_DR_SW2_currentIndexChanged(int index);
    void on_comboBox_DR_POSI_currentIndexChanged(int index);
    void on_spinBox_DR_RATE_valueChanged(int arg1);
    void on_spinBox_DR_EXP_valueChanged(int arg1);
    void on_comboBox_PRM04_Mix_currentIndexChanged(int index);
    void on_comboBox_PRM04_Master_currentIndexChanged(int index);
    void on_comboBox_PRM04_Slave_currentIndexChanged(int index);
    void on_spinBox_PRM04_Data1_valueChanged(int arg1);
    void on_spinBox_PRM04_Data2_valueChanged(int arg1);
    void on_spinBox_PRM04_Data3_valueChanged(int arg1);
    void on_comboBox_THCURE_MIX_currentIndexChanged(int index);
    void on_spinBox_THCURE_Data01_valueChanged(int arg1);
    void on_spinBox_THCURE_Data02_valueChanged(int arg1);
    void on_spinBox_THCURE_Data03_valueChanged(int arg1);
    void on_spinBox_THCURE_Data04_valueChanged(int arg1);
    void on_spinBox_THCURE_Data05_valueChanged(int arg1);
    void on_spinBox_THCURE_Data06_valueChanged(int arg1);
    void on_spinBox_THCURE_Data07_valueChanged(int arg1);
    void on_spinBox_delay8_valueChanged(int arg1);
    void RestData();
    void RestData2();
    void SendData1();
    void SendData2();
    void SendData3();
    void SendData4();
    void Dr_DataSelet();
    void FalseSaveData();
    void on_doubleSpinBox_extVolt_valueChanged(double arg1);
    void on_spinBox_Rssi_valueChanged(int arg1);
    void on_doubleSpinBox_rxVolt_valueChanged(double arg1);
    void on_pushButton_Reset2_clicked();
    void StkTrim_Display();
    void on_spinBox_step1_valueChanged(int arg1);
    void on_spinBox_step2_valueChanged(int arg1);
    void on_spinBox_step3_valueChanged(int arg1);
    void on_spinBox_step4_valueChanged(int arg1);

private:
    // Whether a command needs an open port: save and load go ahead
    // without one.
    enum class PortCheck { Needed, NotNeeded };
    // The start every command shares: false (and the command returns) when
    // another command runs, the button pause is cut short, or the port
    // the command needs is not open, which a box then says.
    bool beginCommand(const CommandScope &command, PortCheck port = PortCheck::Needed);
    // Shared by the three write commands: frames S, G, H, I then "WWW".
    void sendAllFrames();
    // Whether a port is open: the one answer every command asks.
    bool linkOpen() const;
    // A read's whole course: the request, the answers onto the pages when
    // every group came (with the edits made since the last read kept on
    // top when `keepEdits`), a box when not; true when the pages took it.
    bool readSettings(bool keepEdits);
    // What the box says about a read that did not get every group.
    QString readFailure() const;
    // Before a write into a transmitter not read since the port opened:
    // true to go on writing; otherwise the command ends here (it may have
    // read instead, as the user chose).
    bool writeIntoUnread();
    // After a write's "WWW": the settle pause, "RR", and one box when the
    // transmitter holds other settings or could not be asked.
    void readBack();
    // The title's mark: the pages hold settings not known to be written.
    void showUnwrittenMark();
    void resetToFactory(bool holdTrims);
    // The one way the port list changes: the system's ports now, with
    // handAddedPorts kept (portlist.h).
    void followSystemPorts();
    // The port closed, by the user or after a loss (`lost`, with a box).
    void lineClosed(bool lost);
    void showDisconnected();
    void watchPort();
    // A chunk the link took: the pages repaired and, when it changed them,
    // shown before its answer goes out.
    void chunkTaken(bool refreshPages);
    // Every tick, changed or not: the combo boxes' hover counters.
    void showHoverHighlights();

    Ui::MainWindow *ui;
    // The port, the framer, the read's progress and answers, the stored
    // frames and the trims hold: everything said on the line.
    TransmitterLink *link = nullptr;
    QString loadPath;
    QString fileFolder;  // where the last file was saved or loaded: the next dialog starts there
    QTimer *refreshTimer;
    CommandGuard *commands;
    StatusLine *status = nullptr;  // the line below the form
    QTimer *portWatch;
    QStringList systemPorts;     // the system's port names at the last look
    QStringList handAddedPorts;  // offered by offerPort, kept through every refill
    int portLooksDue = 0;        // looks at the system's ports still to take; -1: every second
    // What the transmitter is known to hold: after a complete read or a
    // verified write; before the first read, the start-up settings.
    ConfigModel known;
    // Whether `known` is what this transmitter holds: a complete read or a
    // checked write since the port opened.  Until then nothing is marked
    // and a write asks first.
    bool heldKnown = false;
    // The settings a write sent whole (the closing word too) but could not
    // check: a close over exactly these pages does not offer to send them
    // again.
    ConfigModel lastSent;
    bool sentUnchecked = false;
    QString title;  // the window's title without the mark

    // The settings the pages show and edit, and the live values they show.
    ConfigModel cfg;
    MonitorState mon;
    bool verifyWrites = true;
    HoverCounters hoverCounters;
    // What the refresh last showed: the live values, and the settings with
    // what they are compared against (the marks, the title's mark).
    struct SettingsShown
    {
        ConfigModel pages, held;
        bool heldKnown;
    };
    ShownState<MonitorState> liveShown;
    ShownState<SettingsShown> settingsShown;

    // Tests and benchmarks look at the state above (tests/window/support).
    friend struct WindowProbe;
    DifferenceMarks *differences = nullptr;  // marks.h

    // The kept history, the state the marks compare with, page undo and the
    // recent files (keeping.cpp).
    void setUpKeeping();
    // What the transmitter is known to hold goes into the history as `e`.
    void keepHeld(HistoryEvent e);
    // Before a write, load or reset: the state it replaces, and the event
    // its read-back keeps.
    void keepBefore(HistoryEvent before, HistoryEvent after);
    void compareWith(const ConfigModel &state, const QString &name);
    void compareWithHeld();
    void compareWithFile();
    void openOnPages(const QString &path = QString());
    void putOnPages(const ConfigModel &state);
    void showHistory();
    void rememberFile(const QString &path);
    HistoryStore *history = nullptr;
    HistoryEvent afterWrite = HistoryEvent::Write;  // the event a write's read-back keeps
    ConfigModel reference;                          // a file's or history entry's settings the marks compare with
    PageSteps *steps = nullptr;                     // pagesteps.h
    QWidget *historyWindow = nullptr;
    QString presetLoadPath;  // a recent file chosen for Load: no dialog then
    RangeSession *range = nullptr;           // the live graph and its recording (rangesession.h)
};
