#include "wizard/Page.h"

#include "app/StringTable.h"

namespace cw {

WindowDecl pageDecl(std::string pageName, std::vector<ControlDecl> controls) {
    WindowDecl d;
    d.className = std::string(kPageWindowClass);
    d.name = std::move(pageName);
    d.width = kSheetWidth;
    d.height = kSheetHeight;
    d.font = FontSpec{"Tahoma", 11, false, kBlack};
    d.controls = std::move(controls);
    return d;
}

IFm_ZK::IFm_ZK(AppContext& app, std::string frameName, std::string tableName, WindowDecl decl)
    : app_(app), frameName_(std::move(frameName)), decl_(std::move(decl)),
      trace_(app.traceLog, tableName), table_(&app.language.table(tableName)) {}

IFm_ZK::~IFm_ZK() = default;

void IFm_ZK::traceOnly(std::string_view operation) {
    trace_.message(frameName_ + " - " + std::string(operation));
}

bool IFm_ZK::CanExit() {
    traceOnly("CanExit");
    return true;
}

bool IFm_ZK::CanEnter() {
    traceOnly("CanEnter");
    return true;
}

void IFm_ZK::AssignEvents() {
    OnBuild = [this](Window& sender) { DoBuild(sender); };
    OnEnter = [this](Window& sender) { DoEnter(sender); };
    OnExit = [this](Window& sender) { DoExit(sender); };
    OnDisplay = [this](Window& sender) { DoDisplay(sender); };
    OnBeforeDisplay = [this](Window& sender) { DoBeforeDisplay(sender); };
    OnAfterDisplay = [this](Window& sender) { DoAfterDisplay(sender); };
}

void IFm_ZK::DoBuild(Window&) { traceOnly("DoBuild"); }
void IFm_ZK::DoEnter(Window&) { traceOnly("DoEnter"); }
void IFm_ZK::DoExit(Window&) { traceOnly("DoExit"); }
void IFm_ZK::DoDisplay(Window&) { traceOnly("DoDisplay"); }
void IFm_ZK::DoBeforeDisplay(Window&) { traceOnly("DoBeforeDisplay"); }
void IFm_ZK::DoAfterDisplay(Window&) {
    traceOnly("DoAfterDisplay");
    if (view_) view_->repaint();
}
void IFm_ZK::ReleaseFrame() { traceOnly("ReleaseFrame"); }

void IFm_ZK::InitFrame(TraceLog* codeSite, Language* langDispatch, TFm_Frame_Manager* manager) {
    masterCodeSite_ = codeSite;
    masterLangDispatch_ = langDispatch;
    // Every module writes to the one log; a page's lines follow its switch.
    if (manager) manager_ = manager;
    if (langDispatch) table_ = &langDispatch->table(trace_.module());
    firstDisplay_ = false;
}

} // namespace cw
