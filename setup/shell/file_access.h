// The installer's file access on Win32: the carrier read through CFile, and installed files and
// folders written through CFile, CreateDirectoryA and GetWindowsDirectoryA.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "afx/afx.h"
#include "setup/archive/io.h"

// The Windows folder as the system reports it, or nothing when it cannot be read or does not fit
// its 260-byte buffer.
std::optional<std::string> ReadWindowsFolder();

// Reads the carrier the caller has opened; every failure is CFile's file error without a name.
class CCarrierReader : public archive::carrier_reader {
public:
    explicit CCarrierReader(CFile& carrier) : m_carrier(carrier) {}

    std::uint32_t read(void* buffer, std::uint32_t count) override;
    void seek(std::uint32_t offset) override;
    std::uint32_t position() override;
    std::int32_t length() override;

private:
    CFile& m_carrier;
};

// Writes the installed files one at a time. An output file left open by an error is closed
// quietly when the writer goes.
class CInstallWriter : public archive::install_sink {
public:
    void create_folder(const std::string& path) override;
    void create_file(const std::string& path) override;
    void write(const void* data, std::uint32_t count) override;
    void close_file() override;
    std::string windows_folder() override;

private:
    CFile m_outFile;
};
