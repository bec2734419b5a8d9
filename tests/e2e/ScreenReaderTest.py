#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window as a screen reader and a keyboard meet it: the real program on a virtual display,
read over the accessibility bus (AT-SPI) and driven by keys alone. Starts its own X server and
buses, and stops them whatever the outcome. Usage: ScreenReaderTest.py LINVOX PHONE_SIM"""
import contextlib
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
# What chooses the language Linvox speaks, and the setting of its own Russian, which the test
# reads unless it asks for another.
LANGUAGES = ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG")
PROGRAMS_OWN_LANGUAGE = {"LC_ALL": "C.UTF-8"}
Role = Atspi.Role
LINK = (Role.LINK, "http://linvox.example/support")
NUMBER_FIELD = (Role.TEXT, "Номер телефона")
COMPACT_VIEW = [(Role.PUSH_BUTTON, "Позвонить"), (Role.PUSH_BUTTON, "Настройки"), NUMBER_FIELD]
# Tab enters the option group once; the arrow keys move within it.
SETTINGS_VIEW = [(Role.PUSH_BUTTON, "Поиск портов модемов"),
                 (Role.TEXT, "Результаты поиска портов модемов"), (Role.TEXT, "MTS, JEANS"),
                 (Role.TEXT, "KYIVSTAR, DJUICE"), (Role.TEXT, "LIFE"), (Role.TEXT, "BEELINE"),
                 (Role.TEXT, "Всё остальное"), (Role.PUSH_BUTTON, "Проверить выбранные порты"),
                 (Role.RADIO_BUTTON, "Используется только один телефон"), LINK, NUMBER_FIELD]


def wait_for(condition, what, timeout_s=20):
    deadline = time.monotonic() + timeout_s
    while time.monotonic() < deadline:
        if result := condition():
            return result
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def showing(root):
    """What a screen reader presents under root: every object that is showing."""
    found = []
    for child in (root.get_child_at_index(i) for i in range(root.get_child_count())):
        if child and child.get_state_set().contains(Atspi.StateType.SHOWING):
            found += [child] + showing(child)
    return found


def described(accessible):
    # The role itself, not its name, which changes between releases of at-spi2-core (2.56 calls a
    # push button "button").
    return (accessible.get_role(), accessible.get_name())


def start(command, add_cleanup, **options):
    """Starts a process in a group of its own, ended with all it started by its stop(), or by
    the cleanup it gives add_cleanup."""
    process = subprocess.Popen(command, start_new_session=True, **options)

    def stop():
        try:
            os.killpg(process.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass  # ended by itself, with all it started
        process.communicate()
    add_cleanup(stop)
    process.stop = stop
    return process


class ScreenReaderTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        """One display and one accessibility bus for every test: a process meets only the first
        bus it reads."""
        reader, writer = os.pipe()
        # -noreset: the accessibility bus's launcher is the server's first client, and a reset
        # when it leaves would turn Linvox away.
        start(["Xvfb", "-displayfd", str(writer), "-noreset", "-nolisten", "tcp"],
              cls.addClassCleanup, pass_fds=[writer], stderr=subprocess.DEVNULL)
        os.close(writer)
        os.environ["DISPLAY"] = ":" + os.fdopen(reader).readline().strip()
        bus = start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                    cls.addClassCleanup, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        # What a screen reader says when it starts, and Qt listens for. The session bus starts
        # the accessibility bus for it, in the session bus's process group.
        Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
            "org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
            GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
            None, Gio.DBusCallFlags.NONE, -1, None)
        Atspi.init()

    def setUp(self):
        work = tempfile.TemporaryDirectory()
        self.addCleanup(work.cleanup)
        self.transcript = os.path.join(work.name, "phone")
        phone = self.start([PHONE_SIM, "--transcript", self.transcript], stdout=subprocess.PIPE)
        device = phone.stdout.readline().decode().strip()
        self.phone_lock = "/var/lock/LCK.." + device.removeprefix("/dev/").replace("/", "_")
        # The terminal is new: a lock under its name was left by an earlier one of that number.
        with contextlib.suppress(FileNotFoundError, PermissionError):
            os.remove(self.phone_lock)
        with open(os.path.join(work.name, "MyApp.conf"), "w") as settings:
            settings.write(f"[linvox]\nport=2\n\n[ports]\nCOM2={device}\n")
        # The browser that opens the support link notes the address.
        self.opened = os.path.join(work.name, "opened")
        with open(os.path.join(work.name, "xdg-open"), "w") as browser:
            browser.write(f'#!/bin/sh\necho "$1" >> {self.opened}\n')
        os.chmod(browser.name, 0o755)
        self.environment = {name: value for name, value in os.environ.items()
                            if name not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM") + LANGUAGES}
        self.environment.update(XDG_CONFIG_HOME=work.name,
                                PATH=work.name + ":" + os.environ["PATH"])

    def open_window(self, language):
        """Starts Linvox in the language's environment and waits for its window, focused."""
        linvox = self.start([LINVOX], env=dict(self.environment, **language))
        self.window = wait_for(self.linvox_window, "the window on the accessibility bus")
        self.window_id = wait_for(self.x_windows, "the window on the display")[0]
        self.focus_x_window(self.window_id)
        return linvox

    def start(self, command, **options):
        """Starts a process that ends with the test at the latest."""
        return start(command, self.addCleanup, **options)

    def linvox_window(self):
        desktop = Atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(index)
            if application and application.get_name() == "linvox":
                return next((w for w in showing(application) if w.get_name() == "Linvox"), None)
        return None

    def x_windows(self):
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Linvox$"],
                              capture_output=True, text=True).stdout.split()

    def focus_x_window(self, window):
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)

    def press(self, *keys):
        subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)

    def focused(self):
        return next((described(accessible) for accessible in showing(self.window)
                     if accessible.get_state_set().contains(Atspi.StateType.FOCUSED)), None)

    def press_until_focused(self, key, expected):
        self.press(key)
        wait_for(lambda: self.focused() == expected, f"{expected} after {key}")

    def tab_through(self, count):
        visited = []
        for _ in range(count):
            before = self.focused()
            self.press("Tab")
            visited.append(wait_for(lambda: (now := self.focused()) != before and now, "focus"))
        return visited

    def find(self, role, name):
        return wait_for(lambda: next((accessible for accessible in showing(self.window)
                                      if described(accessible) == (role, name)), None), name)

    def read(self, path):
        return open(path, "rb").read() if os.path.exists(path) else b""

    def test_a_keyboard_alone_opens_settings_checks_opens_the_link_and_calls(self):
        self.open_window(PROGRAMS_OWN_LANGUAGE)
        self.assertEqual(wait_for(self.focused, "the focus"), NUMBER_FIELD)
        focusable = {described(accessible) for accessible in showing(self.window)
                     if accessible.get_state_set().contains(Atspi.StateType.FOCUSABLE)}
        self.assertEqual(focusable, set(COMPACT_VIEW))
        self.assertEqual(self.tab_through(3), COMPACT_VIEW)

        self.tab_through(2)
        self.press("space")
        self.find(Role.PUSH_BUTTON, "Спрятать")
        self.assertEqual(self.tab_through(len(SETTINGS_VIEW)), SETTINGS_VIEW)
        for progress in ("Индикатор поиска портов", "Индикатор проверки портов"):
            bar = self.find(Role.PROGRESS_BAR, progress)
            self.assertEqual(Atspi.Value.get_current_value(bar), 0)

        self.press("shift+Tab")
        self.press_until_focused("shift+Tab", SETTINGS_VIEW[-3])
        self.press("space")
        self.find(Role.LABEL, "Порт для всех звонков")
        self.press_until_focused("shift+Tab", SETTINGS_VIEW[-4])
        self.press("Return")
        warning = wait_for(lambda: [w for w in self.x_windows() if w != self.window_id], "box")
        self.focus_x_window(warning[0])
        self.press("Return")
        done = self.find(Role.PROGRESS_BAR, "Выполнено: 100%")
        self.assertEqual(Atspi.Value.get_current_value(done), 100)
        # Without a window manager, the closed box hands the keyboard back to no one.
        self.focus_x_window(self.window_id)

        self.press("Tab")
        self.press_until_focused("Tab", LINK)
        self.press("Return")
        self.assertEqual(wait_for(lambda: self.read(self.opened), "the browser"),
                         b"http://linvox.example/support\n")

        self.press_until_focused("Tab", NUMBER_FIELD)
        subprocess.run(["xdotool", "type", "0501234567"], check=True)
        self.press("Return")
        wait_for(lambda: self.read(self.transcript).endswith(b"ATD0501234567;\r"), "the call")
        # The call ends by releasing the port; ended before that, Linvox would leave its lock.
        wait_for(lambda: not os.path.exists(self.phone_lock), "the port to be released")

    def test_captions_are_in_the_users_language(self):
        # LANGUAGE counts in a locale but C and POSIX, as gettext has it.
        for language, captions in (({"LANGUAGE": "uk", "LANG": "en_US.UTF-8"},
                                    ["Зателефонувати", "Параметри"]),
                                   ({"LANGUAGE": "en", "LANG": "ru_RU.UTF-8"},
                                    ["Call", "Settings"]),
                                   ({"LANGUAGE": "uk", "LANG": "C"}, ["Позвонить", "Настройки"]),
                                   ({"LANG": "ru_RU.UTF-8"}, ["Позвонить", "Настройки"])):
            with self.subTest(**language):
                linvox = self.open_window(language)
                for caption in captions:
                    self.find(Role.PUSH_BUTTON, caption)
                linvox.stop()
                wait_for(lambda: not self.linvox_window(), "the window to leave the bus")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
