#!/usr/bin/python3
# A private session bus (dbus-daemon on a socket in FOLDER, argv[1]) with a stand-in desktop
# notification service. Prints "address <bus address>" once the service owns its name (with
# --no-service: at once, no service), then "notify <id> <app>|<summary>|<body>|<actions...>"
# for every Notify call; "invoke <id> <key>" on standard input emits ActionInvoked; it ends,
# taking the bus with it, when standard input closes.
import os
import subprocess
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

INTERFACE = "org.freedesktop.Notifications"
CONFIG = """<busconfig><type>session</type><listen>unix:path={0}/bus</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy>
</busconfig>"""


class Service(dbus.service.Object):
    last_id = 0

    @dbus.service.method(INTERFACE, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.last_id += 1
        print("notify %d %s" % (self.last_id, "|".join([app, summary, body] + [str(a) for a in actions])), flush=True)
        return dbus.UInt32(self.last_id)

    @dbus.service.method(INTERFACE, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ("holmik-test-notifications", "holmik", "1", "1.2")

    @dbus.service.signal(INTERFACE, signature="us")
    def ActionInvoked(self, number, key):
        pass


config = os.path.join(sys.argv[1], "bus.conf")
with open(config, "w") as out:
    out.write(CONFIG.format(sys.argv[1]))
daemon = subprocess.Popen(["dbus-daemon", "--config-file=" + config, "--nofork", "--print-address"],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
address = daemon.stdout.readline().strip()
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.bus.BusConnection(address)
service = None if "--no-service" in sys.argv else Service(bus, "/org/freedesktop/Notifications")
if service:
    bus.request_name(INTERFACE, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
loop = GLib.MainLoop()
# Said from within the running loop, so that the first call finds the service answering (the
# program gives the bus a second at start).
GLib.idle_add(lambda: print("address " + address, flush=True) and False)
pending = [b""]


# Raw reads: a buffered readline() would keep a second line where the watch cannot see it.
def command(source, condition):
    chunk = os.read(sys.stdin.fileno(), 4096)
    *lines, pending[0] = (pending[0] + chunk).split(b"\n")
    for words in (line.decode().split() for line in lines):
        if len(words) == 3 and words[0] == "invoke" and service:
            service.ActionInvoked(dbus.UInt32(int(words[1])), words[2])
    return bool(chunk) or loop.quit()


GLib.io_add_watch(sys.stdin.fileno(), GLib.IO_IN | GLib.IO_HUP, command)
try:
    loop.run()
finally:
    daemon.terminate()
    daemon.wait()
