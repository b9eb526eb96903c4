#pragma once

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

struct _XDisplay;

// An X server of the test's own: Xvfb on a display number it picks itself, so that parallel
// runs never meet, and an Xlib connection to it for reading the screen and finding windows.
// Xvfb goes away with this object, and with the test process if that dies first.
class XServer
{
public:
    using Window = quint32;

    explicit XServer(QSize screenSize = QSize(2000, 1400));
    ~XServer();
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    bool start(QString *error);
    void stop();

    QString displayName() const { return m_displayName; }
    QSize screenSize() const { return m_screenSize; }
    // What a client of this server needs: its display, and a private runtime directory.
    QProcessEnvironment clientEnvironment() const;

    // Mapped top-level windows whose title is exactly the given text, oldest first.
    QList<Window> viewableWindows(const QString &title) const;
    QRect geometry(Window window) const;
    Window transientFor(Window window) const;
    // Whether the window takes part in the close request of the window manager protocol.
    bool acceptsDeleteWindow(Window window) const;
    // The close request a window manager sends when the user closes a window.
    bool sendDeleteWindow(Window window) const;
    Window inputFocus() const;

    // What the screen shows in an area given in root-window coordinates.
    QImage grab(const QRect &area) const;

private:
    unsigned long atom(const char *name) const;

    QSize m_screenSize;
    QProcess m_xvfb;
    QString m_displayName;
    QTemporaryDir m_runtimeDir;
    _XDisplay *m_display = nullptr;
};

// Makes a child process die with the test process, so nothing is left running.
void dieWithParent(QProcess &process);
