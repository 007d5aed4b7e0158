#include "sim/WorldOsFacts.h"

#include "sim/World.h"

namespace cw {

WorldOsFacts::WorldOsFacts(const OsFacts& real, const World& world)
    : real_(real), version_(world.windows), wow64_(world.wow64) {}

bool WorldOsFacts::isWow64Process() const {
    return wow64_ ? *wow64_ : real_.isWow64Process();
}

} // namespace cw
