// A page whose display sets its pictures and its title: the pattern of the wizard's simple
// pages. Before each display it loads each declared picture through LoadGraph, then sets the
// page title from the page's `TitlePage`.
#pragma once

#include "wizard/Page.h"

#include <string>
#include <string_view>
#include <vector>

namespace cw {

// The text font of the pages' labels.
inline const FontSpec kPageTextFont{"Tahoma", 11, false, kBlack};
inline const FontSpec kPageButtonFont{"Tahoma", 11, true, kBlack};

// A picture loaded before each display: into `control`, from the skin file named by the main
// window's `settingKey` (may be empty) or else from bitmap resource `resource`.
struct PagePicture {
    std::string control;
    std::string settingKey;
    std::string resource;
};

class TitledPage : public IFm_ZK {
  public:
    TitledPage(AppContext& app, std::string frameName, std::string tableName, WindowDecl decl,
               std::vector<PagePicture> pictures = {});

    void DoBeforeDisplay(Window& sender) override;

  protected:
    void loadPictures();
    void setTitle(std::string_view text);
    void setTitleFromTable() { setTitle(table().GetText("TitlePage")); }

  private:
    std::vector<PagePicture> pictures_;
};

} // namespace cw
