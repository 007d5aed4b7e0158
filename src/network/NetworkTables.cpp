#include "network/NetworkTables.h"

namespace cw {
namespace {

// The box checks. Only the quick-status address and the wait text are read; the other
// settings are kept so that language files that carry them stay valid.
const ModuleSection kBoxTools = {
    "TDM_BoxTools",
    {
        {"Param_URL_QS_Rudel", "http://quorvale.box/quickstatus.htm"},
        {"MsgWait_CheckNetwork", "\x19\x1AVeuillez patienter pendant l'analyse du réseau..."},
        {"Param_PingTarget", "quorvale.box"},
        {"Param_SMBTarget", "quorvale.box"},
        {"Param_SMBPort", "139"},
        {"Param_URLXML", "http://quorvale.box/basic/fr/infosdsl.xml"},
        {"Param_RootDir", ""},
        {"Param_Root_CheckNetDD", ""},
        {"Param_DDShorCut_Name", ""},
        {"Param_PrinterPort_Thomson", "515"},
        {"Param_PrinterPort_Rudel", "9100"},
        {"Param_IPBox_Thomson", "192.168.1.2"},
        {"Param_IPBox_Rudel", "192.168.0.1"},
        {"Param_NTPrintService", "spooler"},
        {"Param_RegFile", "Tempreg.reg"},
        {"Param_XML_TagThomson", "thomson"},
        {"Param_PrinterName_Suffix", ""},
        {"Param_RawPortName", ""},
        {"Param_LPRPortName", ""},
    },
};

} // namespace

std::vector<ModuleSection> networkTables() { return {kBoxTools}; }

} // namespace cw
