// The carrier reader and the install writer over CFile and the system's folder calls.
#include "setup/shell/file_access.h"

#include "setup/archive/format.h"

std::uint32_t CCarrierReader::read(void* buffer, std::uint32_t count) {
    return m_carrier.Read(buffer, count);
}

void CCarrierReader::seek(std::uint32_t offset) {
    m_carrier.Seek(static_cast<LONG>(offset), CFile::begin);
}

std::uint32_t CCarrierReader::position() { return m_carrier.GetPosition(); }

// The format's offsets are signed 32-bit; a carrier of 2 GB or more is beyond it anyway.
std::int32_t CCarrierReader::length() { return static_cast<std::int32_t>(m_carrier.GetLength()); }

void CInstallWriter::create_folder(const std::string& path) {
    // An existing folder is no failure, and one that cannot be made shows up as soon as the
    // file inside it cannot be created.
    ::CreateDirectoryA(path.c_str(), NULL);
}

void CInstallWriter::create_file(const std::string& path) {
    m_outFile.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
}

void CInstallWriter::write(const void* data, std::uint32_t count) {
    m_outFile.Write(data, count);
}

void CInstallWriter::close_file() { m_outFile.Close(); }

std::string CInstallWriter::windows_folder() { return ReadWindowsFolder().value_or(std::string()); }

std::optional<std::string> ReadWindowsFolder() {
    char folder[archive::kWindowsFolderBufferSize] = "";
    const UINT length = ::GetWindowsDirectoryA(folder, sizeof(folder));
    // A length of the buffer or more is the size the system would have needed.
    if (length == 0 || length >= sizeof(folder)) return std::nullopt;
    return std::string(folder, length);
}
