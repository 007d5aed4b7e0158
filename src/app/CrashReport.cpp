#include "app/CrashReport.h"

#include "app/AppData.h"
#include "app/StringUtil.h"

#include <cstdio>

namespace cw {
namespace {

std::string versionParts(const AppData& a) {
    return a.VersionMajor + "." + a.VersionMinor + "." + a.VersionRelease + "." + a.VersionBuild;
}

std::string hex(uint64_t value, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%0*llX", digits, static_cast<unsigned long long>(value));
    return text;
}

} // namespace

CrashReportModes crashReportModes(bool testMode) {
    return testMode ? CrashReportModes{3, 2} : CrashReportModes{0, 0};
}

std::string crashReportSubject(std::string_view subjectTemplate, const AppData& appData) {
    const std::string named =
        str::replaceAllNoCase(subjectTemplate, "%SmallApplicationName", kSmallApplicationName);
    return str::replaceAllNoCase(named, "%Version", "V" + versionParts(appData));
}

std::string crashReportBody(std::string_view bodyTemplate, std::string_view productName,
                            const AppData& appData) {
    const std::string named = str::replaceAllNoCase(bodyTemplate, "%ApplicationName", productName);
    return str::replaceAllNoCase(named, "%Version", "Version = " + versionParts(appData));
}

std::string crashReportText(const AppData& appData, std::string_view productName,
                            const CrashDetails& details) {
    std::string text = crashReportSubject(kCrashSubjectTemplate, appData) + "\r\n\r\n";
    text += crashReportBody(kCrashBodyTemplate, productName, appData) + "\r\n\r\n";
    if (details.exceptionCode != 0) {
        text += "Exception code: " + hex(details.exceptionCode, 8) + "\r\n";
        text += "Address: " + hex(details.address, 16) + "\r\n";
    }
    if (!details.description.empty()) text += "Description: " + details.description + "\r\n";
    return text;
}

} // namespace cw
