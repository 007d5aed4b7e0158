// The texts of the crash report: what the crash hook writes when an exception reaches it.
// Reports are made only in test mode; otherwise nothing is shown or sent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cw {

struct AppData;

inline constexpr std::string_view kSmallApplicationName = "DOD EZU v1.2";
inline constexpr std::string_view kCrashSubjectTemplate = "%SmallApplicationName %Version";
inline constexpr std::string_view kCrashBodyTemplate = "%ApplicationName\r\n%Version";
inline constexpr std::string_view kCrashReportFileName = "CrashReport.txt";

// How the crash reporter behaves: in test mode its full dialog (3) and e-mail mode 2, outside
// test mode no dialog and nothing sent (0, 0).
struct CrashReportModes {
    int dialogType = 0;
    int emailSendMode = 0;
};
[[nodiscard]] CrashReportModes crashReportModes(bool testMode);

// "%SmallApplicationName" -> "DOD EZU v1.2", "%Version" -> "V" + the four version parts.
[[nodiscard]] std::string crashReportSubject(std::string_view subjectTemplate,
                                             const AppData& appData);
// "%ApplicationName" -> `productName` (setting Param_ProductName), "%Version" ->
// "Version = " + the four version parts.
[[nodiscard]] std::string crashReportBody(std::string_view bodyTemplate,
                                          std::string_view productName, const AppData& appData);

// What happened: an exception code and address, or a description (e.g. an uncaught C++
// exception's message).
struct CrashDetails {
    uint32_t exceptionCode = 0;
    uint64_t address = 0;
    std::string description;
};

// The whole report: subject, body, then the exception's code, address and description.
[[nodiscard]] std::string crashReportText(const AppData& appData, std::string_view productName,
                                          const CrashDetails& details);

} // namespace cw
