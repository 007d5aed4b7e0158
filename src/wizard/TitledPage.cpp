#include "wizard/TitledPage.h"

#include "app/Graph.h"
#include "wizard/FrameManager.h"

namespace cw {

TitledPage::TitledPage(AppContext& app, std::string frameName, std::string tableName,
                       WindowDecl decl, std::vector<PagePicture> pictures)
    : IFm_ZK(app, std::move(frameName), std::move(tableName), std::move(decl)),
      pictures_(std::move(pictures)) {}

void TitledPage::loadPictures() {
    for (const PagePicture& p : pictures_)
        view().setPicture(p.control, LoadGraph(app_, p.settingKey, p.resource));
}

void TitledPage::setTitle(std::string_view text) {
    if (manager()) manager()->SetTitlePage(text);
}

void TitledPage::DoBeforeDisplay(Window&) {
    traceOnly("DoBeforeDisplay");
    loadPictures();
    setTitleFromTable();
}

} // namespace cw
