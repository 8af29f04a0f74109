#!/usr/bin/python3
"""A private session bus with a stand-in desktop notification service, for the tests.

Starts dbus-daemon on a socket in FOLDER (argv[1]) with a configuration of its own, prints
"address <bus address>" once the service owns org.freedesktop.Notifications (with
--no-service it owns nothing and prints the address at once), then:
  - prints "notify <id> <app>|<summary>|<body>|<actions joined by |>" for every Notify call;
  - reads commands on standard input: "invoke <id> <key>" emits ActionInvoked(id, key).
It ends, taking the bus with it, when standard input closes.
"""
import os
import subprocess
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

INTERFACE = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"

CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path={folder}/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""


class Service(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.next_id = 1

    @dbus.service.method(INTERFACE, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        number = self.next_id
        self.next_id += 1
        print("notify %d %s" % (number, "|".join([app, summary, body] + [str(a) for a in actions])), flush=True)
        return dbus.UInt32(number)

    @dbus.service.method(INTERFACE, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["actions", "body"]

    @dbus.service.method(INTERFACE, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ("holmik-test-notifications", "holmik", "1", "1.2")

    @dbus.service.method(INTERFACE, in_signature="u", out_signature="")
    def CloseNotification(self, number):
        self.NotificationClosed(number, 3)

    @dbus.service.signal(INTERFACE, signature="us")
    def ActionInvoked(self, number, key):
        pass

    @dbus.service.signal(INTERFACE, signature="uu")
    def NotificationClosed(self, number, reason):
        pass


def main():
    folder = sys.argv[1]
    with open(os.path.join(folder, "bus.conf"), "w") as config:
        config.write(CONFIG.format(folder=folder))
    daemon = subprocess.Popen(["dbus-daemon", "--config-file=" + os.path.join(folder, "bus.conf"), "--nofork",
                               "--print-address"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    try:
        address = daemon.stdout.readline().strip()
        dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
        bus = dbus.bus.BusConnection(address)
        service = None
        if "--no-service" not in sys.argv:
            service = Service(bus)
            bus.request_name(INTERFACE, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
        print("address " + address, flush=True)
        loop = GLib.MainLoop()

        pending = b""

        # Raw reads: a buffered readline() would keep a second line where the watch cannot see it.
        def command(source, condition):
            nonlocal pending
            chunk = os.read(sys.stdin.fileno(), 4096)
            if not chunk:
                loop.quit()
                return False
            pending += chunk
            while b"\n" in pending:
                line, pending = pending.split(b"\n", 1)
                words = line.decode().split()
                if len(words) == 3 and words[0] == "invoke" and service:
                    service.ActionInvoked(dbus.UInt32(int(words[1])), words[2])
            return True

        GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_IN | GLib.IO_HUP, command)
        loop.run()
        bus.close()
    finally:
        daemon.terminate()
        daemon.wait()


if __name__ == "__main__":
    main()
