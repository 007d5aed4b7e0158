// The 22 pages in creation order (the order fixes each page's sheet), with the class that
// makes each one.
#pragma once

#include "wizard/Page.h"

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace cw {

struct PageEntry {
    std::string_view pageName;
    std::function<std::unique_ptr<IFm_ZK>(AppContext&)> create;
};

[[nodiscard]] const std::vector<PageEntry>& wizardPages();

// A page whose handlers only write to the trace log: the pages whose own logic lives
// elsewhere start as this, with their declared name and class.
class TracedPage : public IFm_ZK {
public:
    TracedPage(AppContext& app, std::string frameName, std::string className, std::string pageName)
        : IFm_ZK(app, std::move(frameName), std::move(className), pageDecl(std::move(pageName), {})) {}
};

} // namespace cw
