#pragma once

class QString;
class QWidget;

namespace vesk::platform::qt {

// The window a request from outside brings to the front: the open message box or chooser
// (the innermost modal window) if there is one, else the editor's visible main window;
// nullptr when neither exists.
QWidget* windowToActivate();

// Brings windowToActivate() to the front for a request from outside, such as a second
// start. `token` is the requester's proof that the user asked for it: on Wayland an
// xdg-activation token, which Qt's Wayland plug-in hands to the compositor with the next
// activation request; on X11 a startup-notification ID, whose time stamp goes with the
// window manager request. Without a token X11 asks as a pager does and Wayland asks
// with none, which a compositor may refuse.
void activateWindowFromOutside(const QString& token);

}  // namespace vesk::platform::qt
