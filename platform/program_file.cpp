#include "platform/program_file.h"

namespace clavitone {

namespace {

std::size_t LastSeparator(std::string_view path)
{
    return path.find_last_of("\\/");
}

}  // namespace

std::string ProgramFolder(std::string_view modulePath)
{
    const std::size_t separator = LastSeparator(modulePath);
    if (separator == std::string_view::npos)
        return {};
    std::string folder(modulePath.substr(0, separator));
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\';  // a drive's root keeps its separator
    return folder;
}

std::string ProgramName(std::string_view modulePath)
{
    const std::size_t separator = LastSeparator(modulePath);
    std::string_view file = separator == std::string_view::npos ? modulePath : modulePath.substr(separator + 1);
    const std::size_t dot = file.find_last_of('.');
    return std::string(dot == std::string_view::npos ? file : file.substr(0, dot));
}

}  // namespace clavitone
