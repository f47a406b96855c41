#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Closes the window when the process is asked to end: SIGTERM when the
// session ends, SIGINT from Ctrl+C in a terminal, SIGHUP when that terminal
// goes. The close takes the usual path, so the settings and the log's last
// line are written as when the user closes the window. One at a time.
class CloseOnSignal : public QObject {
  public:
    explicit CloseOnSignal(QWidget& window);
    ~CloseOnSignal() override;
    CloseOnSignal(const CloseOnSignal&) = delete;
    CloseOnSignal& operator=(const CloseOnSignal&) = delete;

  private:
    void CloseWindow();

    QWidget& window_;
    QSocketNotifier* notifier_ = nullptr;
};
