// Torvi: the line a window shows for a download.
#include "nav/download.h"

#include <array>
#include <cstdio>

namespace torvi {

namespace {

std::string problemText(Download::Problem problem)
{
    switch (problem) {
    case Download::Problem::AccessDenied:
        return "non è permesso scrivere il file";
    case Download::Problem::NoSpace:
        return "il disco è pieno";
    case Download::Problem::File:
        return "il file non si può scrivere";
    case Download::Problem::Network:
        return "la connessione si è interrotta";
    case Download::Problem::Server:
        return "il server non ha dato il file";
    case Download::Problem::None:
    case Download::Problem::Other:
        break;
    }
    return "errore sconosciuto";
}

} // namespace

std::string sizeText(std::int64_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + " byte";
    static constexpr std::array<const char *, 3> units = {"KB", "MB", "GB"};
    double value = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    while (value >= 1024 && unit + 1 < units.size()) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    if (unit == 0 || value >= 100)
        std::snprintf(text, sizeof text, "%.0f %s", value, units[unit]);
    else
        std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
    std::string out = text;
    if (const auto point = out.find('.'); point != std::string::npos)
        out[point] = ','; // the Italian decimal comma, whatever the C locale says
    return out;
}

std::string downloadText(const Download &d)
{
    switch (d.state) {
    case Download::State::Running:
        if (d.total > 0)
            return d.fileName + ": " + std::to_string(d.received * 100 / d.total) + " % di " +
                   sizeText(d.total);
        return d.fileName + ": " + sizeText(d.received);
    case Download::State::Done:
        return d.fileName + " scaricato in " + d.folder;
    case Download::State::Failed:
        return "Download di " + d.fileName + " non riuscito: " + problemText(d.problem);
    case Download::State::Cancelled:
        return "Download di " + d.fileName + " annullato";
    }
    return {};
}

} // namespace torvi
