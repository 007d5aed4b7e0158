#include "wifi/WifiTables.h"

namespace cw {
namespace {

// The temporary WPA-PSK profile handed to the Wi-Fi library: a version-1 WLAN profile whose
// elements are separated by tabs. The placeholders are filled in when a connection starts.
constexpr const char* kProfileTemplate =
    "<?xml version=\"1.0\"?>\t"
    "<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\t"
    "<name>%profilename%</name>\t"
    "<SSIDConfig>\t<SSID>\t<name>%SSID%</name>\t</SSID>\t</SSIDConfig>\t"
    "<connectionType>ESS</connectionType>\t"
    "<connectionMode>manual</connectionMode>\t"
    "<MSM>\t<security>\t"
    "<authEncryption>\t<authentication>WPAPSK</authentication>\t<encryption>TKIP</encryption>\t"
    "<useOneX>false</useOneX>\t</authEncryption>\t"
    "<sharedKey>\t<keyType>passPhrase</keyType>\t<protected>false</protected>\t"
    "<keyMaterial>%key%</keyMaterial>\t</sharedKey>\t"
    "</security>\t</MSM>\t"
    "</WLANProfile>";

// The Wi-Fi manager: the SSID filter, the adapter names, the DHCP wait and the profile.
// "\x19\x1A" is a stored line break.
const ModuleSection kWiFiManager = {
    "TDM_WiFi_Mgr_NG",
    {
        {"Param_WiFi_DefaultSSID_Prefix_WPA", "Quorvale_"},
        {"Param_WiFi_DefaultSSID_Suffix_WPA", ""},
        {"Param_WiFi_DefaultSSID_ExcludeSuffix_WPA", "_WEP"},
        {"Param_WiFi_DefaultSSID_Prefix_WEP", "Quorvale_"},
        {"Param_WiFi_DefaultSSID_Suffix_WEP", "_WEP"},
        {"Param_WiFi_DefaultSSID_ExcludeSuffix_WEP", ""},
        {"Param_Default_Device", "Wi-Fi Wireless LAN USB Adapter"},
        {"Param_Default_Device_Vista", "DEVUR Wi-Fi 11g"},
        {"DHCPTimer_Sec", "60"},
        {"Param_DHCP_IPHelper", "Yes"},
        {"Param_Dialer_IncMode", "Yes"},
        {"Param_URL_HTTP_Test", "http://www.quorvale.fr/"},
        {"Param_WiFI_XML_WPAPSK", kProfileTemplate},
        {"Param_Profiles_FileName", "Profiles.dat"},
        {"Param_AgentWiFi_Exe", "Agent_WiFi.exe"},
        {"MsgWait_WiFi_Analyze",
         "Analyse de votre configuration WiFi en cours.\x19\x1AVeuillez patienter quelques "
         "instants..."},
        {"MsgWait_WiFi_Prepare",
         "Préparation de votre connexion WiFi en cours.\x19\x1AVeuillez patienter quelques "
         "instants..."},
        {"Systray_Balloon_Title", "Configuration de la connexion WiFi"},
        {"Systray_Balloon_Connected", "Vous êtes connecté au réseau WiFi."},
        {"Systray_Balloon_device", "Un périphérique WiFi a été détecté."},
        {"Systray_Balloon_Disconnected", "Vous n'êtes pas connecté au réseau WiFi."},
        {"Systray_Balloon_nodevice", "Aucun périphérique WiFi n'a été détecté."},
    },
};

// The connection progress window's captions.
const ModuleSection kDialer = {
    "TFrmDialer",
    {
        {"LTitleWindow.Caption", "Assistant de connexion WiFi"},
        {"Dialer_GBInfo.Caption", " Détails : "},
        {"Dialer_LDeviceName.Caption", "Périphérique WiFi utilisé :"},
        {"Dialer_LAPName.Caption", "Identifiant du réseau WiFi :"},
        {"Dialer_GBProcessus.Caption", " Etapes : "},
        {"Dialer_LInitDevice.Caption", "Initialisation du périphérique WiFi"},
        {"Dialer_LConfigWep.Caption", "Configuration de la clé WiFi"},
        {"Dialer_LSSID.Caption", "Liaison avec la borne"},
        {"Dialer_LDHCP.Caption", "Obtention de l'adresse IP"},
        {"Dialer_LDHCP_ProgressBar.Caption", "Délai restant :"},
        {"Dialer_BOK.Caption", "OK"},
        {"Dialer_BCancel.Caption", "Arrêter..."},
    },
};

} // namespace

std::vector<ModuleSection> wifiTables() { return {kWiFiManager, kDialer}; }

} // namespace cw
