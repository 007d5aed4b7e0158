#include "wizard/WizardTables.h"

namespace cw {
namespace {

// The page manager: button captions, the quit question and what happens at the end.
const ModuleSection kFrameManager = {
    "TFm_Frame_Manager",
    {
        {"BSupport.Caption", "Support Technique"},
        {"BPrev.Caption", "< Précédent"},
        {"BNext.Caption", "Suivant >"},
        {"BCancel.Caption", "Annuler"},
        {"Button_Cancel", "Annuler"},
        {"Button_Quit", "Quitter"},
        {"Button_Config", "Configurer"},
        {"MsgQuit_Text", "Etes-vous sûr de vouloir quitter l'application ?"},
        {"Param_IE_HomePage_Active", "True"},
        {"Param_IE_HomePage", "http://portail.quorvale.fr/"},
        {"Param_IconName_FL", "Reprendre l'installation de la Quorvale RIR"},
        {"Param_IconName_FL_VoIP", "Installation de la téléphonie"},
        {"Param_URL_vs_QuickAccess", "http://portail.quorvale.fr/"},
        {"Param_Launch_AQV", "True"},
        {"Param_Launch_AQV_OnError", "True"},
        {"Param_AQV_Path", "../AssistantQV/"},
        {"Param_AQV_EXE", "AssistantQV_Zuzuzad.exe"},
        {"Param_AQV_CL", "-r"},
        {"Param_Launch_AW", "True"},
        {"Param_AW_Path", ""},
        {"Param_AW_EXE", "Agent_WiFi.exe"},
        {"Param_AW_CL", ""},
        {"Vista_DialogQuit_Title", "Avertissement"},
        {"Vista_DialogQuit_Instruction", "Quitter l'application?"},
    },
};

} // namespace

std::vector<ModuleSection> wizardTables() { return {kFrameManager}; }

} // namespace cw
