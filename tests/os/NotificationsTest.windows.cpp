// The notification-area icon on Windows: started, a balloon shown, and the click on the
// balloon (NIN_BALLOONUSERCLICK, as the shell sends it to the icon's window) calling the action
// handler with the tag of the balloon shown last. Where the system has no notification area
// (a Wine prefix without a taskbar), start says so and the test skips.
#include "os/Notifications.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(NotificationArea, AClickOnTheBalloonCallsTheHandlerWithItsTag)
{
    if (!os::startNotifications("HolmikZiviza"))
        GTEST_SKIP() << "no notification area here";
    int picked = -1;
    os::setNotificationActionHandler([&picked](int tag) { picked = tag; });
    os::notify("Holmik test server is back online", "Join Game", 0);
    os::notify("A slot is free on Holmik test server", "Join Game", 1);

    const HWND owner = FindWindowW(L"HolmikZivizaNotifications", nullptr);
    ASSERT_NE(owner, nullptr);
    SendMessageW(owner, WM_APP + 25, 1, NIN_BALLOONSHOW);
    EXPECT_EQ(picked, -1) << "showing is no click";
    SendMessageW(owner, WM_APP + 25, 1, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(picked, 1);

    os::setNotificationActionHandler({});
    os::stopNotifications();
    EXPECT_EQ(FindWindowW(L"HolmikZivizaNotifications", nullptr), nullptr) << "the icon's window is gone";
    EXPECT_FALSE(os::notificationsStarted());
}

} // namespace
