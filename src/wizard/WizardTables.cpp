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

const ModuleSection kWelcome = {
    "TFm_Welcome",
    {
        {"HTML_Text.Caption",
         "Vérifiez que le WiFi de votre ordinateur est bien activé.<BR><BR>Vérifiez ensuite que "
         "le voyant WiFi de votre Quorvale RIR est vert."},
        {"HTML_Text2.Caption", "Si le voyant WiFi est vert, cliquez sur \" Suivant > \"."},
        {"TitlePage", "PRÉPARATION DE LA CONFIGURATION WIFI"},
        {"HTMLText_DongleText", "Vérifiez que le voyant WiFi de votre Quorvale RIR est vert."},
        {"Param_FW_Filename", "testfw.tar.gz"},
        {"Param_FWUp_RegPath", ""},
    },
};

// The end page: one title and two texts (box assistant started or not) per path.
const ModuleSection kEnd = {
    "TFm_End_OK",
    {
        {"HTML_Text.Caption",
         "Votre ordinateur est maintenant connecté en WiFi à la Quorvale RIR.<BR>Cliquez sur \" "
         "Suivant > \" pour finaliser l'installation."},
        {"TitlePage", "Félicitations !"},
        {"Title_JumpStart", "FIN DE LA CONFIGURATION WIFI"},
        {"Title_Wep", "FIN DE LA CONFIGURATION WIFI"},
        {"Title_Ethernet", "FIN DE LA CONFIGURATION"},
        {"Text_JumpStart",
         "<BR><BR><BR>Votre configuration WiFi est correctement effectuée.<BR>Vous allez "
         "désormais pouvoir accéder à l'Assistant Quorvale RIR pour terminer l'installation de "
         "votre Quorvale RIR.<BR><BR>Cliquez sur \" Quitter \"."},
        {"Text_Wep",
         "<BR><BR>Votre configuration WiFi est correctement effectuée.<BR><BR>Vous allez "
         "désormais pouvoir accéder à l'Assistant Quorvale RIR pour terminer l'installation de "
         "votre Quorvale RIR.<BR><BR>Cliquez sur \" Quitter \"."},
        {"Text_Ethernet",
         "<BR><BR>Votre configuration est correctement effectuée.<BR><BR>Vous allez désormais "
         "pouvoir accéder à l'Assistant Quorvale RIR pour terminer l'installation de votre "
         "Quorvale RIR.<BR><BR>Cliquez sur \" Quitter \"."},
        {"Text_JumpStart_NoAQV",
         "<BR><BR>Votre configuration WiFi est correctement effectuée.<BR><BR>Vous allez "
         "désormais pouvoir accéder à l'Assistant Quorvale RIR pour terminer l'installation de "
         "votre Quorvale RIR.<BR><BR>Cliquez sur \" Quitter \"."},
        {"Text_Wep_NoAQV",
         "<BR><BR>Votre configuration WiFi est correctement effectuée.<BR><BR>Vous allez "
         "désormais pouvoir accéder à l'Assistant Quorvale RIR pour terminer l'installation de "
         "votre Quorvale RIR.<BR><BR>Cliquez sur \" Quitter \"."},
        {"Text_Ethernet_NoAQV",
         "<BR><BR>Votre configuration est correctement effectuée.<BR><BR>Vous allez désormais "
         "pouvoir accéder à l'Assistant Quorvale RIR pour terminer l'installation de votre "
         "Quorvale RIR.<BR><BR>Cliquez sur \" Quitter \"."},
    },
};

const char* const kOtherPhonesText = "Si vous souhaitez utiliser vos autres téléphones, branchez "
                                     "les directement sur votre prise téléphonique murale. "
                                     "Sur ces téléphones, vous ne bénéficierez pas de la "
                                     "téléphonie illimitée, vous serez facturés de vos appels à la "
                                     "minute par votre opérateur téléphonique habituel.";

const ModuleSection k1p = {
    "TFm_1p",
    {
        {"HTML_Text.Caption",
         "Branchez votre téléphone sur votre prise téléphonique mural en utilisant un filtre "
         "ADSL (fourni avec votre Quorvale).<BR>Important : vous devez utiliser un filtre ADSL "
         "pour chaque téléphone que vous souhaitez brancher."},
        {"TitlePage", "RACCORDEMENT DE VOTRE COMBINÉ TÉLÉPHONIQUE"},
        {"Text_1P",
         "Si vous avez un téléphone supplémentaire à brancher, branchez-le directement sur "
         "votre prise murale."},
        {"Text_2P1P", kOtherPhonesText},
        {"Text_3P1P", kOtherPhonesText},
    },
};

const ModuleSection k2p = {
    "TFm_2p",
    {
        {"HTML_Text.Caption",
         "Branchez l'adaptateur téléphonique (fourni avec votre Quorvale RIR) sur le "
         "port<BR>téléphonique gris situé au dos de votre Quorvale RIR.<BR><BR>Branchez ensuite "
         "votre téléphone sur l'adaptateur téléphonique."},
        {"TitlePage", "RACCORDEMENT DE VOTRE COMBINÉ TÉLÉPHONIQUE"},
    },
};

const ModuleSection k3p = {
    "TFm_3p",
    {
        {"HTML_Text.Caption",
         "Pour le branchement de votre décodeur TV RIR à votre téléviseur, reportez vous au "
         "guide d'installation rapide qui vous a été fourni avec votre décodeur TV RIR et "
         "suivez les étapes décrites.<BR><BR>Si vous ne possédez plus votre guide "
         "d'installation rapide du décodeur TV RIR, vous pourrez le retrouver dans la rubrique "
         "\"Configuration\" de votre Assistant Quorvale RIR."},
        {"TitlePage", "SUITE DU RACCORDEMENT DE VOTRE QUORVALE TV"},
    },
};

const ModuleSection kWiFiWarningSvc = {
    "TFm_WiFi_Warning_Svc",
    {
        {"Html_TextSvcError.Caption",
         "Le gestionnaire de réseau WiFi Windows n'est pas utilisé. Nous avons identifié qu'un "
         "gestionnaire de réseau WiFi propriétaire déjà installé sur votre ordinateur empêche "
         "la poursuite de l'installation avec le gestionnaire de réseau WiFi "
         "Windows.<BR><BR>Cliquez sur \" Quitter \" pour réaliser une installation manuelle "
         "avec le gestionnaire de réseau WiFi déjà installé sur votre poste."},
        {"TitlePage", "CONFLIT AVEC LE GESTIONNAIRE RÉSEAU WIFI"},
        {"MsgWarning_Text", "Un gestionnaire de réseau WiFi déjà installé sur votre\x19\x1A"
                            "ordinateur empêche la poursuite de l'installation.\x19\x1A\x19\x1A"
                            "Veuillez vous assurer de sa désactivation."},
    },
};

const ModuleSection kWiFiDeviceError = {
    "TFm_WiFi_Device_Error",
    {
        {"HTML_Text.Caption",
         "Aucun périphérique WiFi n'a été détecté sur votre ordinateur.<BR><BR>Si vous utilisez "
         "le WiFi intégré de votre ordinateur, vérifiez qu'il est bien activé.<BR><BR>Une fois "
         "cette vérification faite, cliquez sur \" Quitter \" pour quitter l'application, puis "
         "relancez-la à l'aide du raccourci \" Reprendre l'installation de la Quorvale \" "
         "présent sur le bureau."},
        {"HTML_Text_Dongle",
         "Vérifiez que votre adaptateur WiFi est correctement branché à votre "
         "ordinateur.<BR><BR>Une fois cette vérification faite, cliquez sur \" Quitter \" pour "
         "quitter l'application, puis relancez-la à l'aide du raccourci \" Reprendre "
         "l'installation de la Quorvale RIR\" présent sur le bureau."},
        {"TitlePage", "ERREUR DE DÉTECTION DU PÉRIPHÉRIQUE WIFI"},
    },
};

const ModuleSection kWiFiSsidError = {
    "TFm_WiFi_SSID_Error",
    {
        {"HTML_Text.Caption",
         "Avant d'effectuer une nouvelle tentative, vérifiez que :<BR><BR>1. Le voyant WiFi de "
         "votre Quorvale RIR est vert,<BR>2. Le WiFi intégré de votre ordinateur est bien "
         "activé.<BR><BR><B>L'un des ces deux points n'est pas vérifié ?</B><BR>- Cliquez alors "
         "sur le bouton \" Quitter \",<BR>- Reprenez l'installation depuis le menu<BR>  \" "
         "démarrer> Programmes> Quorvale RIR> WiFi> Configuration WiFi<BR>   "
         "RIR\".<BR><BR><B>Ces deux points sont vérifiés ?</B><BR>- Redémarrez votre Quorvale "
         "RIR. Pour cela, débranchez le cordon<BR>  d'alimentation de la Quorvale RIR puis "
         "rebranchez le,<BR>- Patientez jusqu'à ce que les voyants \" Power \" et \" Connexion "
         "\" de<BR>  la Quorvale RIR soient verts,<BR>- Cliquez alors sur le bouton \" Quitter "
         "\" puis reprenez l'installation depuis le<BR>  menu \" démarrer> Programmes> Quorvale "
         "RIR> WiFi> Configuration<BR>  WiFi RIR\"."},
        {"TitlePage", "QUORVALE RIR NON DÉTECTÉE"},
    },
};

const ModuleSection kWiFiCxError = {
    "TFm_WiFi_Cx_Error",
    {
        {"HTML_Title.Caption", "<FONT size=\"12\"><B>ERREUR DE CONNEXION WIFI</B></FONT>"},
        {"HTML_Text.Caption",
         "<FONT color=\"#FF0000\"><B>ERREUR : </B></FONT>la connexion sans fil avec la Quorvale "
         "RIR n'a pas été établie.<BR><BR>Veuillez cliquer sur le bouton \" Quitter \" pour "
         "quitter l'application.<BR><BR>Si rien ne change, veuillez :<BR>1. débrancher "
         "l'alimentation de la Quorvale RIR,<BR>2. cliquer sur le bouton \" Quitter \" pour "
         "quitter l'application,<BR>3. patienter 2 minutes puis relancer l'application à l'aide "
         "du raccourci présent sur le bureau de votre ordinateur."},
        {"TitlePage", "ERREUR DE CONNEXION WIFI"},
    },
};

const ModuleSection kWiFiWarningSecu = {
    "TFm_WiFi_Warning_Secu",
    {
        {"Html_TextEasyWiFi.Caption",
         "<FONT SIZE=\"12\"><B>La tentative de raccordement en WiFi n'a pas "
         "abouti.</B></FONT><BR><BR>Vous pouvez procéder manuellement au raccordement WiFi de "
         "votre ordinateur à votre Quorvale. L'assistant continuera à vous guider dans ces "
         "étapes. Pour raccorder en WiFi manuellement, cliquez sur \" Suivant > \".<BR><BR>Pour "
         "effectuer une nouvelle tentative de raccordement en WiFi, cliquez sur \" Recommencer "
         "\"."},
        {"BRestartEasyWiFi.Caption", "Recommencer"},
        {"TitlePage", "ECHEC DU RACCORDEMENT EN WIFI"},
        {"Msg_Wait_RefreshDevice", "Rafraîchissement de votre périphérique"},
    },
};

const ModuleSection kWiFiWarning1 = {
    "TFm_WiFi_Warning_1",
    {
        {"HTML_sTItle.Caption", "Vérifiez que le voyant WiFi est fixe"},
        {"Html_Text.Caption", ""},
        {"TitlePage", "ATTENTION !"},
    },
};

// The check page: the three steps, the link wait and the error sheets.
// The check page: the three steps, the link wait and the error sheets.
const ModuleSection kCheck = {
    "TFm_Check",
    {
        {"HTML_BoxError.Caption",
         "<B><U>Erreur :</U></B> la Quorvale RIR n'a pas été détectée.<BR><BR>Pour poursuivre "
         "la configuration, votre ordinateur doit être raccordé à la Quorvale RIR.<BR><BR>1. "
         "Veuillez vérifier que la Quorvale RIR est bien allumée et que les voyants<BR>    \" "
         "Power\"  et \" Ethernet \" sont allumés et fixes.<BR>2. Veuillez vérifier que votre "
         "ordinateur est bien raccordé à la Quorvale RIR."},
        {"HTML_ADSLError.Caption",
         "<B><U>Erreur :</U></B> la liaison câble n'est pas détectée.<BR><BR>Veuillez "
         "débrancher puis rebrancher votre câble coaxial sur le port \" Câble \" situé au dos "
         "de votre Quorvale RIR.<BR>Attendez environ une minute, puis vérifiez que le voyant \" "
         "Connexion \" est  bien allumé et fixe.<BR><BR>Veuillez ensuite cliquer sur \" "
         "Relancer le test \" pour contrôler à nouveau que votre connexion est établie."},
        {"HTML_WebError.Caption",
         "<B><U>Avertissement :</U></B> Votre Quorvale RIR est bien connectée mais le test de "
         "l'accès à Internet n'a pas abouti.<BR><BR>Cliquez sur \" Relancer le test \" pour "
         "pouvoir contrôler à nouveau votre connexion.<BR><BR>Si le problème persiste, vous "
         "pouvez néanmoins continuer votre installation en cliquant sur le bouton \" Suivant > "
         "\"."},
        {"BRestart_Test.Caption", "Relancer le test"},
        {"TitlePage", "CONTRÔLE DE VOTRE CONNEXION"},
        {"CheckBox_Processing", "Etape 1 : Quorvale RIR en cours de détection..."},
        {"CheckBox_OK", "Etape 1 : Quorvale RIR détectée."},
        {"CheckBox_Error", "La Quorvale RIR n'a pas été détectée !"},
        {"CheckADSL_Processing", "Etape 2 : liaison câble en cours de vérification..."},
        {"CheckADSL_Ok", "Etape 2 : liaison câble établie et vérifiée."},
        {"CheckADSL_Error", "La liaison câble n'a pas été détectée !"},
        {"CheckWeb_Processing", "Etape 3 : connexion Internet en cours de vérification..."},
        {"CheckWeb_Ok", "Etape 3 : connexion Internet vérifiée."},
        {"CheckWeb_Error", "La connexion Internet n'a pas été détectée !"},
        {"Param_Delay_Wait4WiFi_XP_Sec", "10"},
        {"Param_Delay_Wait4WiFi_Vista_Sec", "20"},
        {"Msg_Wait4WiFi", "Attente de l'établissement de la liaison WiFi.<BR>Veuillez patienter SVP..."},
    },
};

// The Wi-Fi device page: its texts and the reference driver dates (month-day-year).
const ModuleSection kWiFiDeviceSelector = {
    "TFm_WiFi_DeviceSelector",
    {
        {"HTML_TextHaut.Caption",
         "Plusieurs périphériques WiFi ont été détectés sur votre poste.<BR>Veuillez maintenant "
         "le sélectionner puis cliquer sur \" Suivant >\".</B>"},
        {"HTML_TextList.Caption", "Liste des périphériques WiFi  :"},
        {"TitlePage", "SÉLECTION DU PÉRIPHÉRIQUE WIFI"},
        {"Msg_Wait_AnalyzeDriver", "Analyse des pilotes en cours..."},
        {"Msg_Wait_EnumDevice", "Analyse de votre système en cours..."},
        {"Msg_Wait_StartSvc", "Démarrage du service WiFi..."},
        {"Param_XP_DriverDate", "06-01-2004"},
        {"Param_Vista_DriverDate", "12-01-2006"},
    },
};

const ModuleSection kWiFiAPSelector = {
    "TFm_WiFi_APSelector",
    {
        {"HTMLabel1.Caption",
         "<B>Sélectionnez votre réseau. Vous trouverez le nom du réseau par défaut sur "
         "l'étiquette située sous votre Quorvale RIR.</B>"},
        {"TitlePage", "CHOIX DU RÉSEAU WIFI"},
        {"Msg_Wait_EnumAP", "Recherche des bornes WiFi en cours..."},
        {"Title_JumpStart", ""},
        {"Title_Wep", ""},
        {"Text_JumpStart",
         "Voici les réseaux WiFi Quorvale détectés autour de vous.<BR>\x19\x1A"
         "<B>Sélectionnez votre "
         "réseau. Vous trouverez le nom du réseau dans le cadre SSID sur l'étiquette située sous "
         "votre Quorvale RIR.</B>\x19\x1A"},
        {"Text_Wep",
         "Voici les réseaux WiFi Quorvale détectés autour de vous.<BR>\x19\x1A"
         "<b>Sélectionnez votre "
         "réseau. Vous trouverez le nom du réseau dans le cadre SSID sur l’étiquette située sous "
         "votre Quorvale RIR.</b>"},
    },
};

const ModuleSection kWiFiDataWep = {
    "TFm_WiFi_DataWep",
    {
        {"Html_Text.Caption",
         "Saisissez ci-dessous les caractères de la Clé WiFi se trouvant sur l'étiquette située "
         "sous votre Quorvale."},
        {"GroupBox_Key.Caption", " Clé WiFi : "},
        {"HTML_Wep.Caption", "Saisissez la Clé WiFi :"},
        {"HTML_Wep_Confirm.Caption", "Confirmez la Clé WiFi :"},
        {"GroupBox_Details.Caption", " Détails : "},
        {"LWPS_Info_Device.Caption", "Périphérique WiFi utilisé :"},
        {"LWPS_Info_DeviceData.Caption", "-"},
        {"LWPS_Info_SSID.Caption", "Identifiant du réseau WiFi :"},
        {"LWPS_Info_SSIDData.Caption", "-"},
        {"TitlePage", "SAISIE DE LA CLÉ WIFI"},
        {"Msg_Error_Wep_Edit", "Veuillez saisir correctement votre Clé WIFI !"},
        {"Msg_Error_Wep_Empty", "Veuillez saisir votre Clé WIFI avant de continuer !"},
        {"Msg_Error_Wep_Preffix", ""},
        {"Msg_Error_Wep_Title", ""},
        {"Msg_Error_Wep_Instruction", ""},
        {"Msg_Wait_CheckRouter", ""},
        {"Msg_Wait_CheckLP", ""},
    },
};

} // namespace

std::vector<ModuleSection> wizardTables() {
    return {kFrameManager,
            kWelcome,
            kEnd,
            kCheck,
            kWiFiWarningSvc,
            kWiFiDeviceError,
            kWiFiSsidError,
            kWiFiCxError,
            kWiFiWarningSecu,
            kWiFiWarning1,
            kWiFiDeviceSelector,
            kWiFiAPSelector,
            kWiFiDataWep,
            k1p,
            k2p,
            k3p};
}

} // namespace cw
