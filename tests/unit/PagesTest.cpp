// The welcome, end, cabling and Wi-Fi error pages, built by the page manager on simulated
// ports: their texts, titles, pictures and the little behaviour some of them have.
#include "app/AppContext.h"
#include "app/StringTables.h"
#include "platform/WindowEffects.h"
#include "sim/FakeHttp.h"
#include "sim/MemoryFileSystem.h"
#include "sim/MemoryRegistry.h"
#include "sim/ModelWindow.h"
#include "sim/SimOsFacts.h"
#include "sim/SimProcesses.h"
#include "sim/SimServices.h"
#include "sim/SimShell.h"
#include "sim/VirtualEventLoop.h"
#include "wizard/FrameManager.h"
#include "wizard/Frame_WiFi_Errors.h"

#include "SimulatedPorts.h"

#include <gtest/gtest.h>

namespace cw {
namespace {

constexpr const char* kDongleWelcome =
    "Vérifiez que le voyant WiFi de votre Quorvale RIR est vert.";
constexpr const char* kBuiltInWelcome =
    "Vérifiez que le WiFi de votre ordinateur est bien activé.<BR><BR>Vérifiez "
    "ensuite que le voyant WiFi de votre Quorvale RIR est vert.";

// Sets one entry of a module's table, as a language file would.
void setEntry(Language& language, std::string_view module, std::string key, std::string value) {
    StringTable& table = language.table(module);
    std::vector<TableEntry> entries = table.storedEntries();
    std::erase_if(entries, [&](const TableEntry& e) { return e.key == key; });
    entries.push_back({std::move(key), std::move(value)});
    table.replace(entries);
}

class PagesTest : public ::testing::Test, protected SimulatedPorts {
  protected:
    PagesTest() { app.appData.PathExe = "C:\\Kit\\ConfigWiFi\\"; }

    // Creates the manager and its pages; the Welcome page is then shown.
    void start() {
        WindowDecl mainDecl;
        mainDecl.className = "CwMain";
        mainDecl.controls = {Control("LTitlePage", ControlKind::Label, {0, 0, 400, 20}, "", {})};
        main = windows.createWindow(mainDecl, nullptr);
        manager = std::make_unique<TFm_Frame_Manager>(app, *main);
        manager->Initialize(&app.traceLog, &app.language);
    }

    ModelWindow& page(const char* name) {
        ModelWindow* w = windows.findNamed(name);
        EXPECT_NE(w, nullptr) << name;
        return *w;
    }
    ModelWindow& strip() { return static_cast<ModelWindow&>(manager->buttons()); }
    std::string title() { return main->text("LTitlePage"); }
    void goTo(const char* name, const char* flags) { manager->GOFrame(name, parseGoFlags(flags)); }
    void placeAssistant() {
        ASSERT_TRUE(fs.createDirectory("C:\\Kit"));
        ASSERT_TRUE(fs.createDirectory("C:\\Kit\\ConfigWiFi"));
        ASSERT_TRUE(fs.createDirectory("C:\\Kit\\AssistantQV"));
        ASSERT_TRUE(
            fs.writeFile("C:\\Kit\\ConfigWiFi\\../AssistantQV/AssistantQV_Zuzuzad.exe", "MZ"));
    }
    void setDongleSwitch(bool on) { os.stringResources[2000] = on ? "1" : "0"; }

    AppContext app{ports()};
    std::unique_ptr<Window> main;
    std::unique_ptr<TFm_Frame_Manager> manager;
};

// ---- Welcome -----------------------------------------------------------------------------

class WelcomeTest : public PagesTest, public ::testing::WithParamInterface<bool> {};

TEST_P(WelcomeTest, DongleSwitchChoosesTheFirstTextEveryTime) {
    const bool dongle = GetParam();
    setDongleSwitch(dongle);
    start();
    ModelWindow& welcome = page("Page_Welcome");
    const std::string expected = dongle ? kDongleWelcome : kBuiltInWelcome;
    EXPECT_EQ(welcome.text("HTML_Text"), expected);
    EXPECT_EQ(welcome.text("HTML_Text2"),
              "Si le voyant WiFi est vert, cliquez sur \" Suivant > \".");
    EXPECT_EQ(title(), "PRÉPARATION DE LA CONFIGURATION WIFI");
    EXPECT_EQ(welcome.control("Img_Main")->picture.resource, "WiFiOn");
    EXPECT_EQ(welcome.control("Img_Main")->picture.file, "") << "no skin file";

    // Back from another page and the same-page switch both replay the display.
    goTo("Page_WiFi_Warning_Secu", "-NC");
    goTo("Page_Welcome", "-NC");
    goTo("Page_Welcome", "-NC");
    EXPECT_EQ(welcome.text("HTML_Text"), expected);
    EXPECT_EQ(title(), "PRÉPARATION DE LA CONFIGURATION WIFI");
}

INSTANTIATE_TEST_SUITE_P(DongleSwitch, WelcomeTest, ::testing::Bool());

TEST_F(PagesTest, WelcomePictureComesFromTheSkinFileWhenThere) {
    setEntry(app.language, kMainWindowTable, "Assos_Process", "box.bmp");
    ASSERT_TRUE(fs.createDirectory("C:\\Kit"));
    ASSERT_TRUE(fs.createDirectory("C:\\Kit\\ConfigWiFi"));
    ASSERT_TRUE(fs.createDirectory("C:\\Kit\\ConfigWiFi\\img_ferrolis_usb_pppoe"));
    ASSERT_TRUE(fs.writeFile("C:\\Kit\\ConfigWiFi\\img_ferrolis_usb_pppoe\\box.bmp", "BM"));
    start();
    EXPECT_EQ(page("Page_Welcome").control("Img_Main")->picture.file,
              "C:\\Kit\\ConfigWiFi\\img_ferrolis_usb_pppoe\\box.bmp");
}

// ---- End ---------------------------------------------------------------------------------

struct EndCase {
    bool jumpStart, ethernet;
    const char* launchAqv;
    bool assistantPresent;
    const char* title;
    const char* textKey;
};

class EndPageTest : public PagesTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndPageTest, TitleAndTextFollowPathAndAssistant) {
    const EndCase& c = GetParam();
    // Each text shows its own key, so that texts with equal defaults can be told apart.
    for (const char* key : {"Text_JumpStart", "Text_JumpStart_NoAQV", "Text_Ethernet",
                            "Text_Ethernet_NoAQV", "Text_Wep", "Text_Wep_NoAQV"})
        setEntry(app.language, "TFm_End_OK", key, key);
    setEntry(app.language, TFm_Frame_Manager::kModuleName, "Param_Launch_AQV", c.launchAqv);
    if (c.assistantPresent) placeAssistant();
    start();
    ModelWindow& end = page("Page_End_OK");
    EXPECT_EQ(end.text("HTML_Text").rfind("Votre ordinateur est maintenant connecté en WiFi", 0),
              0u)
        << "design text until the first display";

    app.appData.JumpStartMode = c.jumpStart;
    app.appData.EthernetPath = c.ethernet;
    goTo("Page_End_OK", "--C Q");
    EXPECT_EQ(title(), c.title);
    EXPECT_EQ(end.text("HTML_Text"), c.textKey);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, EndPageTest,
    ::testing::Values(
        EndCase{false, false, "True", true, "FIN DE LA CONFIGURATION WIFI", "Text_Wep"},
        EndCase{false, false, "true", true, "FIN DE LA CONFIGURATION WIFI", "Text_Wep"},
        EndCase{false, false, "True", false, "FIN DE LA CONFIGURATION WIFI", "Text_Wep_NoAQV"},
        EndCase{false, false, "False", true, "FIN DE LA CONFIGURATION WIFI", "Text_Wep_NoAQV"},
        EndCase{false, true, "True", true, "FIN DE LA CONFIGURATION", "Text_Ethernet"},
        EndCase{false, true, "True", false, "FIN DE LA CONFIGURATION", "Text_Ethernet_NoAQV"},
        EndCase{true, true, "True", true, "FIN DE LA CONFIGURATION WIFI", "Text_JumpStart"},
        EndCase{true, false, "", true, "FIN DE LA CONFIGURATION WIFI", "Text_JumpStart_NoAQV"}));

// ---- Cabling -----------------------------------------------------------------------------

constexpr const char* kOtherPhones =
    "Si vous souhaitez utiliser vos autres téléphones, branchez les directement sur votre prise "
    "téléphonique "
    "murale. Sur ces téléphones, vous ne bénéficierez pas de la téléphonie illimitée, vous serez "
    "facturés de vos "
    "appels à la minute par votre opérateur téléphonique habituel.";

struct OnePCase {
    uint8_t playerMode;
    const char* textStart;
};

class OnePTest : public PagesTest, public ::testing::WithParamInterface<OnePCase> {};

TEST_P(OnePTest, TextFollowsThePlayerMode) {
    start();
    app.appData.PlayerMode = GetParam().playerMode;
    goTo("Page_1P", "-NC");
    const std::string text = page("Page_1P").text("HTML_Text");
    EXPECT_EQ(text.rfind(GetParam().textStart, 0), 0u) << text;
    EXPECT_EQ(title(), "RACCORDEMENT DE VOTRE COMBINÉ TÉLÉPHONIQUE");
    EXPECT_FALSE(page("Page_1P").visible("FlashPlayer"));
}

INSTANTIATE_TEST_SUITE_P(
    PlayerModes, OnePTest,
    ::testing::Values(
        OnePCase{0, "Branchez votre téléphone sur votre prise téléphonique mural en utilisant un "
                    "filtre ADSL (fourni avec votre Quorvale).<BR>Important :"},
        OnePCase{1, "Si vous avez un téléphone supplémentaire à brancher, branchez-le directement "
                    "sur votre prise murale."},
        OnePCase{2, kOtherPhones}, OnePCase{3, kOtherPhones}));

TEST_F(PagesTest, TwoPRestartsItsAnimationOnEachEntry) {
    start();
    app.appData.PlayerMode = 3;
    ModelWindow& twoP = page("Page_2P");
    goTo("Page_2P", "-NC");
    EXPECT_EQ(twoP.control("FlashPlayer")->picture.resource, "Flash_2p");
    EXPECT_EQ(twoP.control("FlashPlayer")->pictureLoads, 1);
    EXPECT_EQ(title(), "RACCORDEMENT DE VOTRE COMBINÉ TÉLÉPHONIQUE");
    EXPECT_EQ(twoP.text("HTML_Text")
                  .rfind("Branchez l'adaptateur téléphonique (fourni avec votre Quorvale RIR)", 0),
              0u);

    strip().click("BNext");
    ASSERT_EQ(manager->currentPageName(), "Page_3P");
    EXPECT_EQ(title(), "SUITE DU RACCORDEMENT DE VOTRE QUORVALE TV");
    EXPECT_EQ(page("Page_3P").control("ImgPoster")->picture.resource, "Poster");

    goTo("Page_2P", "-NC");
    ASSERT_EQ(manager->currentPageName(), "Page_2P");
    EXPECT_EQ(twoP.control("FlashPlayer")->pictureLoads, 2);
}

// ---- Wi-Fi error and warning pages -------------------------------------------------------

struct ErrorPageCase {
    const char* page;
    const char* title;
    const char* resource; // of ImgWarning; null when the picture stays hidden and empty
    const char* textControl;
    const char* textStart;
};

class ErrorPageTest : public PagesTest, public ::testing::WithParamInterface<ErrorPageCase> {};

TEST_P(ErrorPageTest, ShowsItsTitlePictureAndText) {
    const ErrorPageCase& c = GetParam();
    start();
    goTo(c.page, "--C Q F");
    ASSERT_EQ(manager->currentPageName(), c.page);
    ModelWindow& w = page(c.page);
    EXPECT_EQ(title(), c.title);
    EXPECT_EQ(w.visible("ImgWarning"), c.resource != nullptr);
    EXPECT_EQ(w.control("ImgWarning")->picture.resource, c.resource ? c.resource : "");
    EXPECT_EQ(w.text(c.textControl).rfind(c.textStart, 0), 0u) << w.text(c.textControl);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ErrorPageTest,
    ::testing::Values(
        ErrorPageCase{"Page_WiFi_Svc_Error", "CONFLIT AVEC LE GESTIONNAIRE RÉSEAU WIFI", "WARNING",
                      "Html_TextSvcError",
                      "Le gestionnaire de réseau WiFi Windows n'est pas utilisé."},
        ErrorPageCase{
            "Page_WiFi_SSID_Error", "QUORVALE RIR NON DÉTECTÉE", "Warning", "HTML_Text",
            "Avant d'effectuer une nouvelle tentative, vérifiez que :<BR><BR>1. Le voyant WiFi"},
        ErrorPageCase{"Page_WiFi_Cx_Error", "ERREUR DE CONNEXION WIFI", nullptr, "HTML_Title",
                      "<FONT size=\"12\"><B>ERREUR DE CONNEXION WIFI</B></FONT>"},
        ErrorPageCase{"Page_WiFi_Cx_Error", "ERREUR DE CONNEXION WIFI", nullptr, "HTML_Text",
                      "<FONT color=\"#FF0000\"><B>ERREUR : </B></FONT>la connexion sans fil"},
        ErrorPageCase{
            "Page_WiFi_Warning_Secu", "ECHEC DU RACCORDEMENT EN WIFI", "WARNING",
            "Html_TextEasyWiFi",
            "<FONT SIZE=\"12\"><B>La tentative de raccordement en WiFi n'a pas abouti.</B></FONT>"},
        ErrorPageCase{"Page_WiFi_Warning_Secu", "ECHEC DU RACCORDEMENT EN WIFI", "WARNING",
                      "BRestartEasyWiFi", "Recommencer"},
        ErrorPageCase{"Page_WiFi_Warning_1", "ATTENTION !", "Warning_Assos", "HTML_sTItle",
                      "Vérifiez que le voyant WiFi est fixe"}));

TEST_F(PagesTest, WarningOneShowsTheBoxPicture) {
    start();
    goTo("Page_WiFi_Warning_1", "P-C F");
    EXPECT_EQ(page("Page_WiFi_Warning_1").control("Img_Main")->picture.resource, "WiFiOn");
}

struct DeviceErrorCase {
    bool dongle;
    bool dongleTextEmpty;
    const char* textStart;
};

class DeviceErrorTest : public PagesTest, public ::testing::WithParamInterface<DeviceErrorCase> {};

TEST_P(DeviceErrorTest, AdapterTextInADongleBuild) {
    const DeviceErrorCase& c = GetParam();
    setDongleSwitch(c.dongle);
    if (c.dongleTextEmpty) setEntry(app.language, "TFm_WiFi_Device_Error", "HTML_Text_Dongle", "");
    start();
    goTo("Page_WiFi_Device_Error", "--C Q");
    EXPECT_EQ(title(), "ERREUR DE DÉTECTION DU PÉRIPHÉRIQUE WIFI");
    const std::string text = page("Page_WiFi_Device_Error").text("HTML_Text");
    EXPECT_EQ(text.rfind(c.textStart, 0), 0u) << text;
    EXPECT_EQ(page("Page_WiFi_Device_Error").control("ImgWarning")->picture.resource, "Warning");
}

INSTANTIATE_TEST_SUITE_P(
    Switch, DeviceErrorTest,
    ::testing::Values(
        DeviceErrorCase{true, false, "Vérifiez que votre adaptateur WiFi est correctement branché"},
        DeviceErrorCase{false, false,
                        "Aucun périphérique WiFi n'a été détecté sur votre ordinateur."},
        DeviceErrorCase{true, true,
                        "Aucun périphérique WiFi n'a été détecté sur votre ordinateur."}));

TEST_F(PagesTest, ServiceErrorWarnsFromTheSecondDisplayOn) {
    start();
    std::vector<std::string> seen;
    windows.onModal = [&](ModelWindow& dialog) {
        EXPECT_EQ(manager->currentPageName(), "Page_WiFi_Svc_Error") << "the page is shown first";
        EXPECT_TRUE(dialog.visible("BOK"));
        EXPECT_FALSE(dialog.visible("BYes"));
        EXPECT_EQ(dialog.control("ImageIcon")->picture.resource, "dWarning");
        seen.push_back(dialog.text("HTML_Text"));
        dialog.click("BOK");
    };
    goTo("Page_WiFi_Svc_Error", "--C Q");
    EXPECT_TRUE(seen.empty()) << "no dialog on the first display";

    goTo("Page_WiFi_Device_Selector", "P-C");
    goTo("Page_WiFi_Svc_Error", "--C Q");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(
        seen[0],
        "Un gestionnaire de réseau WiFi déjà installé sur votre\r\nordinateur empêche la poursuite "
        "de l'installation.\r\n\r\nVeuillez vous assurer de sa désactivation.");

    goTo("Page_WiFi_Svc_Error", "--C Q");
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(PagesTest, RecommencerTurnsTheWpsPathOnAndStartsAgain) {
    start();
    app.appData.JumpStartMode = false;
    goTo("Page_WiFi_Warning_Secu", "-NC Q");
    std::vector<std::string> refreshed;
    bool waitShownDuringRefresh = false;
    auto& secu = static_cast<TFm_WiFi_Warning_Secu&>(*manager->page("Page_WiFi_Warning_Secu"));
    secu.refreshWpsAdapterConfig = [&](std::string_view name) {
        refreshed.emplace_back(name);
        const ModelWindow* wait = windows.find("CwWaitForm");
        waitShownDuringRefresh =
            wait && wait->isShown() &&
            wait->text("HTML_Text_Wait") == "Rafraîchissement de votre périphérique";
    };

    page("Page_WiFi_Warning_Secu").click("BRestartEasyWiFi");
    EXPECT_TRUE(app.appData.JumpStartMode);
    EXPECT_EQ(refreshed, std::vector<std::string>{""});
    EXPECT_TRUE(waitShownDuringRefresh);
    EXPECT_EQ(windows.find("CwWaitForm"), nullptr) << "the wait form is closed again";
    EXPECT_EQ(manager->currentPageName(), "Page_Welcome");
    EXPECT_FALSE(strip().visible("BPrev"));
    EXPECT_TRUE(strip().visible("BNext"));
    EXPECT_TRUE(strip().visible("BCancel"));
    EXPECT_EQ(strip().text("BCancel"), "Annuler");
}

TEST_F(PagesTest, RecommencerWithoutWpsEngineStillStartsAgain) {
    start();
    goTo("Page_WiFi_Warning_Secu", "-NC");
    page("Page_WiFi_Warning_Secu").click("BRestartEasyWiFi");
    EXPECT_TRUE(app.appData.JumpStartMode);
    EXPECT_EQ(manager->currentPageName(), "Page_Welcome");
}

} // namespace
} // namespace cw
