#include "XServer.h"

#include <QElapsedTimer>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <csignal>
#include <cstring>
#include <sys/prctl.h>

namespace {

// Windows come and go while the test looks at them (a message box closes); a request about a
// window that has just gone is not an error of the test.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

QString windowTitle(Display *display, ::Window window, Atom netWmName, Atom utf8)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char *data = nullptr;
    QString title;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count,
                           &rest, &data) == Success &&
        data && type == utf8 && format == 8) {
        title = QString::fromUtf8(reinterpret_cast<const char *>(data), int(count));
    }
    if (data)
        XFree(data);
    return title;
}

} // namespace

void dieWithParent(QProcess &process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

XServer::XServer(QSize screenSize) : m_screenSize(screenSize)
{
    dieWithParent(m_xvfb);
}

XServer::~XServer()
{
    stop();
}

bool XServer::start(QString *error)
{
    // Xvfb writes the display number it chose to the descriptor -displayfd names: here its
    // standard output.
    const QString screen =
        QStringLiteral("%1x%2x24").arg(m_screenSize.width()).arg(m_screenSize.height());
    m_xvfb.setProgram(QStringLiteral("Xvfb"));
    m_xvfb.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                         QStringLiteral("-screen"), QStringLiteral("0"), screen,
                         QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                         QStringLiteral("-noreset")});
    m_xvfb.setProcessChannelMode(QProcess::SeparateChannels);
    m_xvfb.start();
    if (!m_xvfb.waitForStarted(10000)) {
        *error = QStringLiteral("Xvfb did not start: ") + m_xvfb.errorString();
        return false;
    }
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < 20000) {
        if (!m_xvfb.waitForReadyRead(500) && m_xvfb.state() != QProcess::Running)
            break;
        number += m_xvfb.readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        *error = QStringLiteral("Xvfb gave no display number: ") +
                 QString::fromLocal8Bit(m_xvfb.readAllStandardError());
        stop();
        return false;
    }
    m_displayName = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    XSetErrorHandler(ignoreErrors);
    m_display = XOpenDisplay(m_displayName.toLatin1().constData());
    if (!m_display) {
        *error = QStringLiteral("cannot open display ") + m_displayName;
        stop();
        return false;
    }
    return true;
}

void XServer::stop()
{
    if (m_display) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.terminate();
        if (!m_xvfb.waitForFinished(5000)) {
            m_xvfb.kill();
            m_xvfb.waitForFinished(5000);
        }
    }
}

QProcessEnvironment XServer::clientEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_displayName);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDir.path());
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    // The program must look as a user's first start would, whatever this shell has set.
    for (const char *name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI",
                             "QT_STYLE_OVERRIDE", "QT_ENABLE_HIGHDPI_SCALING", "XAUTHORITY"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

unsigned long XServer::atom(const char *name) const
{
    return XInternAtom(m_display, name, False);
}

QList<XServer::Window> XServer::viewableWindows(const QString &title) const
{
    QList<Window> found;
    if (!m_display)
        return found;
    ::Window root = 0;
    ::Window parent = 0;
    ::Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        return found;
    const Atom netWmName = atom("_NET_WM_NAME");
    const Atom utf8 = atom("UTF8_STRING");
    // Children come bottom first in stacking order, so the newest window on top comes last.
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(m_display, children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        if (windowTitle(m_display, children[i], netWmName, utf8) == title)
            found.append(Window(children[i]));
    }
    if (children)
        XFree(children);
    return found;
}

QRect XServer::geometry(Window window) const
{
    XWindowAttributes attributes;
    if (!m_display || !XGetWindowAttributes(m_display, window, &attributes))
        return {};
    int x = 0;
    int y = 0;
    ::Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

XServer::Window XServer::transientFor(Window window) const
{
    ::Window owner = 0;
    if (!m_display || !XGetTransientForHint(m_display, window, &owner))
        return 0;
    return Window(owner);
}

bool XServer::acceptsDeleteWindow(Window window) const
{
    Atom *protocols = nullptr;
    int count = 0;
    if (!m_display || !XGetWMProtocols(m_display, window, &protocols, &count))
        return false;
    const Atom deleteWindow = atom("WM_DELETE_WINDOW");
    bool accepts = false;
    for (int i = 0; i < count; ++i)
        accepts = accepts || protocols[i] == deleteWindow;
    XFree(protocols);
    return accepts;
}

bool XServer::sendDeleteWindow(Window window) const
{
    if (!m_display)
        return false;
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(atom("WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
    return sent != 0;
}

XServer::Window XServer::inputFocus() const
{
    ::Window focus = 0;
    int revert = 0;
    if (!m_display)
        return 0;
    XGetInputFocus(m_display, &focus, &revert);
    return Window(focus);
}

QImage XServer::grab(const QRect &area) const
{
    if (!m_display || area.isEmpty())
        return {};
    XImage *image = XGetImage(m_display, DefaultRootWindow(m_display), area.x(), area.y(),
                              unsigned(area.width()), unsigned(area.height()), AllPlanes, ZPixmap);
    if (!image)
        return {};
    // The test server is a 24-bit TrueColor screen: one 32-bit word per pixel, red in the
    // high byte as in Qt's own format.
    QImage result;
    if (image->bits_per_pixel == 32 && image->red_mask == 0xff0000 && image->green_mask == 0xff00 &&
        image->blue_mask == 0xff) {
        result = QImage(area.size(), QImage::Format_RGB32);
        for (int y = 0; y < area.height(); ++y) {
            const auto *from =
                reinterpret_cast<const quint32 *>(image->data + y * image->bytes_per_line);
            auto *to = reinterpret_cast<quint32 *>(result.scanLine(y));
            for (int x = 0; x < area.width(); ++x)
                to[x] = from[x] | 0xff000000u;
        }
    }
    XDestroyImage(image);
    return result;
}
