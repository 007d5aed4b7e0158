#include "wizard/PageTable.h"

namespace cw {
namespace {

template <typename Page> std::function<std::unique_ptr<IFm_ZK>(AppContext&)> make() {
    return [](AppContext& app) { return std::make_unique<Page>(app); };
}

std::function<std::unique_ptr<IFm_ZK>(AppContext&)> traced(const char* frame, const char* cls,
                                                           const char* page) {
    return [=](AppContext& app) { return std::make_unique<TracedPage>(app, frame, cls, page); };
}

} // namespace

const std::vector<PageEntry>& wizardPages() {
    static const std::vector<PageEntry> pages = {
        {"Page_Welcome", traced("Fm_Welcome", "TFm_Welcome", "Page_Welcome")},
        {"Page_End_OK", traced("Fm_End_OK", "TFm_End_OK", "Page_End_OK")},
        {"Page_Check", traced("Fm_Check", "TFm_Check", "Page_Check")},
        {"Page_WiFi_APSelector", traced("Fm_WiFi_APSelector", "TFm_WiFi_APSelector", "Page_WiFi_APSelector")},
        {"Page_WiFi_Svc_Error", traced("Fm_WiFi_Warning_Svc", "TFm_WiFi_Warning_Svc", "Page_WiFi_Svc_Error")},
        {"Page_WiFi_Device_Selector",
         traced("Fm_WiFi_DeviceSelector", "TFm_WiFi_DeviceSelector", "Page_WiFi_Device_Selector")},
        {"Page_WiFi_Warning_Secu",
         traced("Fm_WiFi_Warning_Secu", "TFm_WiFi_Warning_Secu", "Page_WiFi_Warning_Secu")},
        {"Page_WiFi_Device_Error",
         traced("Fm_WiFi_Device_Error", "TFm_WiFi_Device_Error", "Page_WiFi_Device_Error")},
        {"Page_WiFi_SSID_Error", traced("Fm_WiFi_SSID_Error", "TFm_WiFi_SSID_Error", "Page_WiFi_SSID_Error")},
        {"Page_WiFi_Cx_Error", traced("Fm_WiFi_Cx_Error", "TFm_WiFi_Cx_Error", "Page_WiFi_Cx_Error")},
        {"Page_WiFi_WPS_WiFiOn", traced("Fm_WiFi_WPS_WiFiOn", "TFm_WiFi_WPS_WiFiOn", "Page_WiFi_WPS_WiFiOn")},
        {"Page_WiFi_WPS_Info", traced("Fm_WiFi_WPS_Info", "TFm_WiFi_WPS_Info", "Page_WiFi_WPS_Info")},
        {"Page_WiFi_WPS_Process",
         traced("Fm_WiFi_WPS_Process", "TFm_WiFi_WPS_Process", "Page_WiFi_WPS_Process")},
        {"Page_WiFi_DataWep", traced("Fm_WiFi_DataWep", "TFm_WiFi_DataWep", "Page_WiFi_DataWep")},
        {"Page_WiFi_Warning_1", traced("Fm_WiFi_Warning_1", "TFm_WiFi_Warning_1", "Page_WiFi_Warning_1")},
        {"Page_WiFi_Warning_2", traced("Fm_WiFi_Warning_2", "TFm_WiFi_Warning_2", "Page_WiFi_Warning_2")},
        {"Page_Eth_DeviceSelector",
         traced("Fm_Eth_DeviceSelector", "TFm_Eth_DeviceSelector", "Page_Eth_DeviceSelector")},
        {"Page_Eth_Info", traced("Fm_Eth_Info", "TFm_Eth_Info", "Page_Eth_Info")},
        {"Page_WiFi2Eth_Error", traced("Fm_WiFi2Eth_Error", "TFm_WiFi2Eth_Error", "Page_WiFi2Eth_Error")},
        {"Page_1P", traced("Fm_1p", "TFm_1p", "Page_1P")},
        {"Page_2P", traced("Fm_2p", "TFm_2p", "Page_2P")},
        {"Page_3P", traced("Fm_3p", "TFm_3p", "Page_3P")},
    };
    return pages;
}

} // namespace cw
