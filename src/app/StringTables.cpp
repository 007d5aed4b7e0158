#include "app/StringTables.h"

#include "wifi/WifiTables.h"
#include "network/NetworkTables.h"
#include "wizard/WizardTables.h"

namespace cw {
namespace {

// The main window's table: control captions, then named strings and settings.
// "\x19\x1A" is a stored line break.
const ModuleSection kMainWindow = {
    std::string(kMainWindowTable),
    {
        {"LTitleApp.Caption", "Configuration de la connexion"},
        {"LVersion.Caption", "Version : "},
        {"LCopyRight.Caption", "© 2026 Quorvale"},

        {"__AppBF_VispName", "UjXZA5uuoLmyr+9WcMAElA=="},
        {"__AppBF_VispConfigFile", ""},
        {"__APPBF_VispReg", "kzuSvl060+5/j5gR+m2od3oaQJIykRLi"},
        {"__AppBF_VispMain", "uCEMFp199BoHhS/Pf7ix/g=="},
        {"Active_Tracer", "No"},
        {"Form_OnTop", "No"},
        {"Param_ProductName", "Configuration WiFi Quorvale"},
        {"Param_Default_Img_Dir", "img_ferrolis_usb_pppoe"},
        {"Param_Show_Version", "True"},
        {"UserNT_NotAdminMsg", "Vous ne disposez pas des droits 'Administrateur' sur ce poste!"
                               "\x19\x1A\x19\x1A         L'application va maintenant être quittée. "},
        {"SerialKiller_Apps", "WLANUTL.exe;WlanMonitor.exe;wlancfg.exe;wlancfgu.exe;WG111.exe;"
                              "WG111CFG.exe;wlancfg8.exe;ZuzuzadAG.exe;wlancfg5.exe;WG511WLU.exe;"},
        {"SerialKiller_Interval_Sec", "30"},
        {"Button_Cancel", "Annuler"},
        {"Button_Quit", "Quitter"},
        {"MsgQuit_Caption", "QUITTER L'APPLICATION ?"},
        {"MsgQuit_Text", "Etes-vous sûr de vouloir quitter l'application ?"},
        {"Param_img_AnimWait_Check", "AnimWait_Check.bmp"},
        {"Param_img_BandoH", "BandoH.bmp"},
        {"Param_img_BandoV", "BandoV.bmp"},
        {"Param_img_BandoV_Mini", "BandoVMini.Bmp"},
        {"Param_img_BCancel", "Button_Cancel.bmp"},
        {"Param_img_BHelp", "Button_Help.bmp"},
        {"Param_img_BNext", "Button_Next.bmp"},
        {"Param_img_BOk", "Button_Ok.bmp"},
        {"Param_img_BPrev", "Button_Back.bmp"},
        {"Param_img_BQuit", "Button_Quit.bmp"},
        {"Param_img_BRefresh", "Button_Refresh.bmp"},
        {"Param_Show_Bsupport", "No"},
        {"Param_Skin_Active", "Yes"},
        {"Param_Skin_Active_XP", "No"},
        {"Param_Status_Panel", "False"},
        {"Param_DoProcessHTTP", "Yes"},
        {"Splash_Init_Graph", ""},
        {"Splash_Init_Text", ""},
        {"Splash_Init_Var", ""},
        {"TestItem", "Langue = FR"},
        {"Vista_DialogAdmin_Title", "AVERTISSEMENT"},
        {"Vista_DialogAdmin_Instruction", "Problème de droit"},
    },
};

// The message dialog's default titles.
const ModuleSection kDialog = {
    "TFormDialog",
    {
        {"Title_Warning", "AVERTISSEMENT"},
        {"Title_Information", "INFORMATION"},
        {"Title_Error", "ERREUR"},
    },
};

const ModuleSection kWait = {
    "TFormWait",
    {
        {"LTitleWindow.Caption", "Veuillez patienter..."},
    },
};

} // namespace

LanguageData compiledInTables() {
    LanguageData data{{kMainWindow, kDialog, kWait}};
    for (ModuleSection& section : wizardTables()) data.modules.push_back(std::move(section));
    for (ModuleSection& section : networkTables()) data.modules.push_back(std::move(section));
    for (ModuleSection& section : wifiTables()) data.modules.push_back(std::move(section));
    return data;
}

} // namespace cw
