#include "wizard/PageTable.h"

#include "wizard/Frame_1p2p3p.h"
#include "wizard/Frame_Check.h"
#include "wizard/Frame_End.h"
#include "wizard/Frame_WiFi_APSelector.h"
#include "wizard/Frame_WiFi_DataWep.h"
#include "wizard/Frame_WiFi_DeviceSelector.h"
#include "wizard/Frame_WiFi_Errors.h"
#include "wizard/Frame_Welcome.h"

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
        {"Page_Welcome", make<TFm_Welcome>()},
        {"Page_End_OK", make<TFm_End_OK>()},
        {"Page_Check", make<TFm_Check>()},
        {"Page_WiFi_APSelector", make<TFm_WiFi_APSelector>()},
        {"Page_WiFi_Svc_Error", make<TFm_WiFi_Warning_Svc>()},
        {"Page_WiFi_Device_Selector", make<TFm_WiFi_DeviceSelector>()},
        {"Page_WiFi_Warning_Secu", make<TFm_WiFi_Warning_Secu>()},
        {"Page_WiFi_Device_Error", make<TFm_WiFi_Device_Error>()},
        {"Page_WiFi_SSID_Error", make<TFm_WiFi_SSID_Error>()},
        {"Page_WiFi_Cx_Error", make<TFm_WiFi_Cx_Error>()},
        {"Page_WiFi_WPS_WiFiOn", traced("Fm_WiFi_WPS_WiFiOn", "TFm_WiFi_WPS_WiFiOn", "Page_WiFi_WPS_WiFiOn")},
        {"Page_WiFi_WPS_Info", traced("Fm_WiFi_WPS_Info", "TFm_WiFi_WPS_Info", "Page_WiFi_WPS_Info")},
        {"Page_WiFi_WPS_Process",
         traced("Fm_WiFi_WPS_Process", "TFm_WiFi_WPS_Process", "Page_WiFi_WPS_Process")},
        {"Page_WiFi_DataWep", make<TFm_WiFi_DataWep>()},
        {"Page_WiFi_Warning_1", make<TFm_WiFi_Warning_1>()},
        {"Page_WiFi_Warning_2", traced("Fm_WiFi_Warning_2", "TFm_WiFi_Warning_2", "Page_WiFi_Warning_2")},
        {"Page_Eth_DeviceSelector",
         traced("Fm_Eth_DeviceSelector", "TFm_Eth_DeviceSelector", "Page_Eth_DeviceSelector")},
        {"Page_Eth_Info", traced("Fm_Eth_Info", "TFm_Eth_Info", "Page_Eth_Info")},
        {"Page_WiFi2Eth_Error", traced("Fm_WiFi2Eth_Error", "TFm_WiFi2Eth_Error", "Page_WiFi2Eth_Error")},
        {"Page_1P", make<TFm_1p>()},
        {"Page_2P", make<TFm_2p>()},
        {"Page_3P", make<TFm_3p>()},
    };
    return pages;
}

} // namespace cw
