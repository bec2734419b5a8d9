// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileDescriptor.h"

#include <string>
#include <string_view>

namespace linvox::phonesim {

// Appends received bytes unchanged to a file, unbuffered so readers see them at once.
class Transcript {
public:
    explicit Transcript(const std::string& path);

    void append(std::string_view bytes);

private:
    FileDescriptor m_file;
};

}  // namespace linvox::phonesim
