// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Made-up serial devices for the Linux modem list: a program that includes this runs under
// umockdev-run, whose preload library shows it a sandbox's /sys and /dev in place of the
// machine's.
#include <string>
#include <umockdev.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace linvox::testing {

// A USB device with its first interface, in umockdev-record's format; attributes are its "A:"
// lines.
inline std::string UsbDevice(const std::string& name, const std::string& attributes) {
    return "P: /devices/" + name + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n" + attributes +
           "\nP: /devices/" + name + "/" + name + ":1.0\nE: SUBSYSTEM=usb\n" +
           "E: DEVTYPE=usb_interface\n\n";
}

// A serial device with a /dev node (a pseudo-terminal in the sandbox), below usbInterface when
// one is given.
inline std::string SerialDevice(const std::string& usbInterface, const std::string& node, int major,
                                int minor, const std::string& more = {}) {
    const std::string parent = usbInterface.empty() ? "" : usbInterface + "/tty/";
    const std::string number = std::to_string(major) + ":" + std::to_string(minor);
    return "P: /devices/" + parent + node + "\nN: " + node +
           "\nE: SUBSYSTEM=tty\nE: DEVNAME=/dev/" + node + "\nE: MAJOR=" + std::to_string(major) +
           "\nE: MINOR=" + std::to_string(minor) + "\nA: dev=" + number + "\n" + more + "\n";
}

// Shows this process a /sys and /dev of its own; devices come and go as the caller says.
class DeviceSandbox {
public:
    DeviceSandbox() : m_testbed(umockdev_testbed_new()) {
        gchar* root = umockdev_testbed_get_root_dir(m_testbed);
        m_root = QString::fromUtf8(root);
        g_free(root);
    }
    ~DeviceSandbox() { g_object_unref(m_testbed); }

    DeviceSandbox(const DeviceSandbox&) = delete;
    DeviceSandbox& operator=(const DeviceSandbox&) = delete;

    // Adds the devices of a description; why umockdev refused them, or empty.
    std::string plug(const std::string& description) {
        GError* error = nullptr;
        if (umockdev_testbed_add_from_string(m_testbed, description.c_str(), &error)) {
            return {};
        }
        std::string reason = error->message;
        g_error_free(error);
        return reason.empty() ? "refused" : reason;
    }

    // Removes the device below /sys/devices/ and its /dev node.
    void unplug(const std::string& path) {
        umockdev_testbed_remove_device(m_testbed, ("/sys/devices/" + path).c_str());
    }

    // Points the by-id link at /dev/<node> as udev's rules do (relative, so that it stays in the
    // sandbox), or removes it when node is empty; whether that worked.
    bool link(const QString& byIdLink, const QString& node) {
        const QString path = root() + "/dev/" + byIdLink;
        QFile::remove(path);
        return QDir().mkpath(QFileInfo(path).path()) &&
               (node.isEmpty() || QFile::link("../../" + node, path));
    }

    const QString& root() const { return m_root; }

private:
    UMockdevTestbed* m_testbed;
    QString m_root;
};

}  // namespace linvox::testing
