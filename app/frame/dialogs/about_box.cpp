#include "app/frame/dialogs/about_box.h"

platform::AboutBoxRequest aboutBoxRequest(platform::Window* owner) {
    platform::AboutBoxRequest request;
    request.owner = owner;
    request.caption = u"About Mirabo";
    request.version = u"v1.0";
    request.lines = {u"Mirabo paint and sketch", u"Written by the Mirabo developers"};
    return request;
}
