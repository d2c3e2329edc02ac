#include "app/qt/window_activation.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGlobal>

#if defined(MIRABO_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/single_instance/startup_notification.h"
#define MIRABO_ACTIVATE_ON_X11 1
#endif

namespace {

#ifdef MIRABO_ACTIVATE_ON_X11

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

void sendToRoot(xcb_connection_t* connection, xcb_window_t root, std::uint32_t mask,
                const xcb_client_message_event_t& event) {
    xcb_send_event(connection, 0, root, mask, reinterpret_cast<const char*>(&event));
}

void activateOnX11(QWidget& window, const std::string& id) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return;
    const auto target = xcb_window_t(window.winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    // The window manager ties the window to the start by this property.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, target,
                        atom(connection, "_NET_STARTUP_ID"), atom(connection, "UTF8_STRING"), 8,
                        std::uint32_t(id.size()), id.data());
    // Asking for the focus with the time of the user's own action, which is
    // recent, rather than the last time this program saw an event.
    if (const std::uint32_t time = platform::startupNotificationTime(id)) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = target;
        event.type = atom(connection, "_NET_ACTIVE_WINDOW");
        event.data.data32[0] = 1;  // asked for by an application
        event.data.data32[1] = time;
        sendToRoot(connection, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   event);
    }
    // The start is over: its busy cursor and task-bar entry go.
    const std::string message = platform::startupRemoveMessage(id);
    const xcb_atom_t first = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    for (std::size_t at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = target;
        event.type = at == 0 ? first : more;
        std::memcpy(event.data.data8, message.data() + at,
                    std::min<std::size_t>(20, message.size() - at));
        sendToRoot(connection, root, XCB_EVENT_MASK_PROPERTY_CHANGE, event);
    }
    xcb_flush(connection);
}

#endif

}  // namespace

void activateWithToken(QWidget& window, const std::string& activationToken) {
    const QString platform = QGuiApplication::platformName();
    if (!activationToken.empty() && platform.startsWith(QLatin1String("wayland"))) {
        // The toolkit passes this variable's token to the compositor with the
        // activation request. It must not reach programs started later.
        qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(activationToken));
        window.activateWindow();
        qunsetenv("XDG_ACTIVATION_TOKEN");
        return;
    }
    window.activateWindow();
#ifdef MIRABO_ACTIVATE_ON_X11
    if (!activationToken.empty() && platform == QLatin1String("xcb"))
        activateOnX11(window, activationToken);
#endif
}
