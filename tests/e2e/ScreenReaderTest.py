#!/usr/bin/python3
"""The window as a screen reader and a keyboard meet it: the real program on a virtual display,
read over the accessibility bus (AT-SPI) and driven by keys alone. Starts its own X server,
session bus and accessibility bus, and stops them whatever the outcome.

Usage: ScreenReaderTest.py LINVOX PHONE_SIM
"""
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

LINVOX, PHONE_SIM = sys.argv[1:3]
TIMEOUT_S = 20

COMPACT_VIEW = [("push button", "Позвонить"), ("push button", "Настройки"),
                ("text", "Номер телефона")]
# Tab enters the option group once; the arrow keys move within it.
SETTINGS_VIEW = [("push button", "Поиск портов модемов"),
                 ("text", "Результаты поиска портов модемов"), ("text", "MTS, JEANS"),
                 ("text", "KYIVSTAR, DJUICE"), ("text", "LIFE"), ("text", "BEELINE"),
                 ("text", "Всё остальное"), ("push button", "Проверить выбранные порты"),
                 ("radio button", "Используется только один телефон"),
                 ("link", "http://linvox.example/support"), ("text", "Номер телефона")]


def wait_for(condition, what):
    deadline = time.monotonic() + TIMEOUT_S
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def showing_objects(root):
    """Every object under root that a screen reader would present: showing, with its parents."""
    found = []
    for index in range(root.get_child_count()):
        child = root.get_child_at_index(index)
        if child is not None and child.get_state_set().contains(Atspi.StateType.SHOWING):
            found.append(child)
            found.extend(showing_objects(child))
    return found


def described(accessible):
    return (accessible.get_role_name(), accessible.get_name())


class ScreenReaderTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.TemporaryDirectory()
        self.addCleanup(self.work.cleanup)
        display = self.start_x_server()
        bus_address = self.start_session_bus()
        os.environ.update(DISPLAY=display, DBUS_SESSION_BUS_ADDRESS=bus_address)
        # What a screen reader says when it starts, and Qt listens for. The session bus starts
        # the accessibility bus for it, in the session bus's process group.
        Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
            "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
            GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
            None, Gio.DBusCallFlags.NONE, -1, None)

        self.transcript = os.path.join(self.work.name, "phone.transcript")
        phone = self.start([PHONE_SIM, "--transcript", self.transcript], stdout=subprocess.PIPE)
        device = phone.stdout.readline().decode().strip()
        with open(os.path.join(self.work.name, "MyApp.conf"), "w") as settings:
            settings.write(f"[linvox]\nport=2\n1telefon=False\n\n[ports]\nCOM2={device}\n")
        # The browser the support link is opened with: it notes the address.
        self.opened = os.path.join(self.work.name, "opened")
        browser = os.path.join(self.work.name, "bin", "xdg-open")
        os.makedirs(os.path.dirname(browser))
        with open(browser, "w") as script:
            script.write(f'#!/bin/sh\necho "$1" >> {self.opened}\n')
        os.chmod(browser, 0o755)
        environment = dict(os.environ, XDG_CONFIG_HOME=self.work.name,
                           PATH=os.path.dirname(browser) + ":" + os.environ["PATH"])
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            environment.pop(name, None)
        self.start([LINVOX], env=environment)

        Atspi.init()
        self.window = wait_for(self.linvox_window, "the window on the accessibility bus")
        self.window_id = wait_for(lambda: self.x_windows(), "the window on the display")[0]
        self.focus_x_window(self.window_id)

    def start(self, command, **options):
        """Starts a process in a group of its own, ended with everything it started."""
        process = subprocess.Popen(command, start_new_session=True, **options)

        def stop():
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            process.wait()
            if process.stdout:
                process.stdout.close()
        self.addCleanup(stop)
        return process

    def start_x_server(self):
        reader, writer = os.pipe()
        self.start(["Xvfb", "-displayfd", str(writer), "-screen", "0", "1024x768x24",
                    "-nolisten", "tcp"], pass_fds=[writer], stderr=subprocess.DEVNULL)
        os.close(writer)
        with os.fdopen(reader) as number:
            return ":" + number.readline().strip()

    def start_session_bus(self):
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        return bus.stdout.readline().decode().strip()

    def linvox_window(self):
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(index)
            if application is not None and application.get_name() == "linvox":
                for window in showing_objects(application):
                    if window.get_name() == "Linvox":
                        return window
        return None

    def x_windows(self):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Linvox$"],
                               capture_output=True, text=True)
        return found.stdout.split()

    def focus_x_window(self, window):
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)

    def press(self, *keys):
        subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)

    def focused(self):
        for accessible in showing_objects(self.window):
            if accessible.get_state_set().contains(Atspi.StateType.FOCUSED):
                return described(accessible)
        return None

    def tab_through(self, count):
        """Presses Tab count times; what gets the focus each time."""
        visited = []
        for _ in range(count):
            before = self.focused()
            self.press("Tab")
            visited.append(wait_for(lambda: (now := self.focused()) != before and now,
                                    "the focus to move on from " + str(before)))
        return visited

    def find(self, role, name):
        return wait_for(lambda: next((accessible for accessible in showing_objects(self.window)
                                      if described(accessible) == (role, name)), None),
                        f"{role} {name!r}")

    def progress(self, name):
        bar = self.find("progress bar", name)
        return Atspi.Value.get_current_value(bar)

    def read(self, path):
        return open(path, "rb").read() if os.path.exists(path) else b""

    def test_a_keyboard_alone_calls_opens_settings_checks_and_opens_the_link(self):
        self.assertEqual(wait_for(self.focused, "the focus in the window"),
                         ("text", "Номер телефона"))
        focusable = {described(accessible) for accessible in showing_objects(self.window)
                     if accessible.get_state_set().contains(Atspi.StateType.FOCUSABLE)}
        self.assertEqual(focusable, set(COMPACT_VIEW))
        self.assertEqual(self.tab_through(3), COMPACT_VIEW)

        self.tab_through(2)
        self.press("space")
        self.find("push button", "Спрятать")
        self.assertEqual(self.tab_through(len(SETTINGS_VIEW)), SETTINGS_VIEW)
        self.assertEqual(self.progress("Индикатор поиска портов"), 0)
        self.assertEqual(self.progress("Индикатор проверки портов"), 0)

        # One phone for every call, chosen with Space, and checked with Enter.
        self.press("shift+Tab", "shift+Tab")
        self.assertEqual(wait_for(self.focused, "the option"),
                         ("radio button", "Используется только один телефон"))
        self.press("space")
        self.find("label", "Порт для всех звонков")
        self.press("shift+Tab")
        wait_for(lambda: self.focused() == ("push button", "Проверить выбранные порты"),
                 "the check button")
        self.press("Return")
        warning = wait_for(lambda: [w for w in self.x_windows() if w != self.window_id],
                           "the warning box")[0]
        self.focus_x_window(warning)
        self.press("Return")
        self.assertEqual(wait_for(lambda: self.progress("Выполнено: 100%"), "the check's end"),
                         100)
        # Without a window manager, the closed box hands the keyboard back to no one.
        self.focus_x_window(self.window_id)

        self.press("Tab", "Tab")
        wait_for(lambda: self.focused() == ("link", "http://linvox.example/support"), "the link")
        self.press("Return")
        self.assertEqual(wait_for(lambda: self.read(self.opened), "the browser"),
                         b"http://linvox.example/support\n")

        self.press("Tab")
        wait_for(lambda: self.focused() == ("text", "Номер телефона"), "the number field")
        subprocess.run(["xdotool", "type", "0501234567"], check=True)
        self.press("Return")
        wait_for(lambda: self.read(self.transcript).endswith(b"ATD0501234567;\r"), "the call")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
