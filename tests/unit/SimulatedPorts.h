// Every port of the application context, simulated, for tests that run the program's logic:
// derive a fixture from it and build `AppContext app{ports()}` after it.
#pragma once

#include "app/AppContext.h"
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

namespace cw {

// No glass and no font change, counted so tests can see they were asked for.
class NoEffects : public WindowEffects {
public:
    bool applyGlass(Window&, Color) override {
        ++glass;
        return false;
    }
    void applySegoeFont(Window&) override { ++segoe; }
    Color buttonFaceColor() const override { return 0xF0F0F0; }
    int glass = 0, segoe = 0;
};

struct SimulatedPorts {
    [[nodiscard]] Ports ports() {
        return {loop, fs, registry, os, processes, shell, windows, effects, services, http};
    }

    VirtualEventLoop loop;
    MemoryFileSystem fs;
    MemoryRegistry registry;
    SimOsFacts os;
    SimProcesses processes;
    SimShell shell;
    ModelWindowFactory windows;
    NoEffects effects;
    SimServices services;
    FakeHttp http{loop};
};

} // namespace cw
