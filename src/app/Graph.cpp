#include "app/Graph.h"

#include "app/AppContext.h"
#include "app/InitApp.h"

namespace cw {

Picture LoadGraph(AppContext& app, std::string_view settingKey, std::string_view resourceName) {
    const GraphSource source = graphSource(app.appData, app.language.table(kMainWindowTable),
                                           app.ports.fs, settingKey, resourceName);
    return Picture{source.fromFile ? source.filePath : std::string(), source.resourceName};
}

} // namespace cw
