#include "core/path_text.h"

#include <climits>
#include <cstdlib>
#include <memory>

namespace tbpr {

std::string pathFileNameExt(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string pathFileName(std::string_view path)
{
    std::string name = pathFileNameExt(path);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

std::string pathDirectory(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string pathWithExtension(std::string_view path, std::string_view extension)
{
    std::string result = pathDirectory(path) + pathFileName(path);
    if (!extension.empty() && extension.front() == '.')
        extension.remove_prefix(1);
    if (!extension.empty())
        result.append(".").append(extension);
    return result;
}

std::string pathLongForm(const std::string &path)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

} // namespace tbpr
