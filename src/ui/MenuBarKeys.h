#pragma once

#include <QObject>

class QMenuBar;

// Reaches a window's menu bar from the keyboard as Windows does: F10, or
// Alt pressed and released alone, opens its first menu, from which the
// arrow keys go on. Alt held for a combination (Alt+Tab, Alt+F4, a click)
// opens nothing.
class MenuBarKeys final : public QObject {
    Q_OBJECT
  public:
    explicit MenuBarKeys(QMenuBar& menuBar);
    ~MenuBarKeys() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool ForThisWindow(QObject* watched) const;
    void OpenFirstMenu();

    QMenuBar& menuBar_;
    bool loneAlt_ = false; // Alt is down and nothing else happened since
};
