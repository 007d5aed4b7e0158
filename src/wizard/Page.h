// IFm_ZK, the page contract, as a typed base class. A page is a declared view shown on one
// sheet of the main window's page area; the page manager switches between pages and raises
// their events. Every page assigns all six events to its own handlers.
#pragma once

#include "app/AppContext.h"
#include "app/Trace.h"
#include "platform/Ui.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace cw {

class TFm_Frame_Manager;

// An event: a handler plus the page it belongs to, or empty. The sender is the main window.
using PageEvent = std::function<void(Window& sender)>;

class IFm_ZK {
public:
    // `frameName` is the page component's own name ("Fm_Welcome"); `tableName` names its
    // string table (the page's class, "TFm_Welcome"); `decl` declares its controls.
    IFm_ZK(AppContext& app, std::string frameName, std::string tableName, WindowDecl decl);
    virtual ~IFm_ZK();
    IFm_ZK(const IFm_ZK&) = delete;
    IFm_ZK& operator=(const IFm_ZK&) = delete;

    // May the page be left / entered now? Either may switch elsewhere itself first.
    [[nodiscard]] virtual bool CanExit();
    [[nodiscard]] virtual bool CanEnter();
    // Assigns the six events to this page's own handlers.
    void AssignEvents();
    virtual void DoBuild(Window& sender);
    virtual void DoEnter(Window& sender);
    virtual void DoExit(Window& sender);
    virtual void DoDisplay(Window& sender);
    virtual void DoBeforeDisplay(Window& sender);
    virtual void DoAfterDisplay(Window& sender);
    // Called once when the manager releases its pages.
    virtual void ReleaseFrame();

    PageEvent OnEnter, OnExit, OnBuild, OnDisplay, OnBeforeDisplay, OnAfterDisplay;

    [[nodiscard]] TraceLog* MasterCodeSite() const { return masterCodeSite_; }
    [[nodiscard]] Language* MasterLangDispatch() const { return masterLangDispatch_; }
    [[nodiscard]] const std::string& Frame_Name() const { return frameName_; }
    void setFrame_Name(std::string name) { frameName_ = std::move(name); }

    // Called once by the manager right after creation.
    void InitFrame(TraceLog* codeSite, Language* langDispatch, TFm_Frame_Manager* manager);

    [[nodiscard]] const WindowDecl& decl() const { return decl_; }
    // The page's own string table; its "<Control>.Caption" entries are the design texts.
    [[nodiscard]] const StringTable& strings() const { return *table_; }
    // The page's controls; they exist once the manager has built the page.
    void attachView(std::unique_ptr<Window> view) { view_ = std::move(view); }
    [[nodiscard]] Window& view() { return *view_; }
    [[nodiscard]] bool hasView() const { return view_ != nullptr; }

protected:
    // The page's own string table (GetText) and trace category.
    [[nodiscard]] const StringTable& table() const { return *table_; }
    [[nodiscard]] Trace& trace() { return trace_; }
    [[nodiscard]] TFm_Frame_Manager* manager() const { return manager_; }
    // Writes "<Frame_Name> - <operation>" to the trace log and nothing else.
    void traceOnly(std::string_view operation);

    AppContext& app_;

private:
    std::string frameName_;
    WindowDecl decl_;
    Trace trace_;
    StringTable* table_;
    TraceLog* masterCodeSite_ = nullptr;
    Language* masterLangDispatch_ = nullptr;
    TFm_Frame_Manager* manager_ = nullptr;
    std::unique_ptr<Window> view_;
    bool firstDisplay_ = false;
};

// The class every page window is made of, and the size of a page's sheet.
inline constexpr std::string_view kPageWindowClass = "CwPage";
inline constexpr int kSheetWidth = 473;
inline constexpr int kSheetHeight = 376;

// A page's declaration: its name for tools, the sheet's size, white, and its controls.
[[nodiscard]] WindowDecl pageDecl(std::string pageName, std::vector<ControlDecl> controls);

} // namespace cw
