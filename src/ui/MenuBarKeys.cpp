#include "MenuBarKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

// The keys go to whichever control has the focus, so the whole
// application's events are watched, and only those of the menu bar's window kept.
MenuBarKeys::MenuBarKeys(QMenuBar& menuBar) : QObject(&menuBar), menuBar_(menuBar) {
    qApp->installEventFilter(this);
}

MenuBarKeys::~MenuBarKeys() {
    qApp->removeEventFilter(this);
}

bool MenuBarKeys::ForThisWindow(QObject* watched) const {
    return watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == menuBar_.window();
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (!ForThisWindow(watched))
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Alt)
            loneAlt_ = false;
        else if (!key->isAutoRepeat())
            loneAlt_ = (key->modifiers() & ~(Qt::AltModifier | Qt::KeypadModifier)) == 0;
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
            OpenFirstMenu();
            return true;
        }
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (ForThisWindow(watched) && key->key() == Qt::Key_Alt && loneAlt_ &&
            !key->isAutoRepeat()) {
            loneAlt_ = false;
            OpenFirstMenu();
            return true;
        }
        break;
    }
    // A key that an accelerator takes (Alt+O) comes as these, never as a
    // key press: Alt was not alone.
    case QEvent::ShortcutOverride:
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Alt)
            loneAlt_ = false;
        break;
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::WindowDeactivate:
        loneAlt_ = false;
        break;
    default:
        break;
    }
    return false;
}

void MenuBarKeys::OpenFirstMenu() {
    if (!menuBar_.isVisible() || !menuBar_.isEnabled())
        return;
    for (QAction* action : menuBar_.actions())
        if (action->isVisible() && action->isEnabled()) {
            menuBar_.setActiveAction(action);
            return;
        }
}
