// "Page_Check": waits for the new link to carry traffic, then checks in three steps that the
// box answers, that its cable line is up and that it has Internet access. When all pass it
// moves on to the end page by itself; a failure is explained on the page, with a button to
// run the checks again.
#pragma once

#include "wizard/TitledPage.h"

#include <string_view>

namespace cw {

class TDM_BoxTools;

class TFm_Check : public TitledPage {
  public:
    static constexpr uint32_t kDefaultLinkWaitMs = 10000;
    static constexpr uint32_t kLinkPollMs = 1000;
    static constexpr uint32_t kAllPassedPauseMs = 2000;

    explicit TFm_Check(AppContext& app);

    // The link wait; always true, the checks report a failure.
    [[nodiscard]] bool CanEnter() override;
    void DoBeforeDisplay(Window& sender) override;
    void DoAfterDisplay(Window& sender) override;
    void BRestart_TestClick();

    // One check's line on the page.
    struct Step;

  private:
    [[nodiscard]] uint32_t linkWaitMs() const;
    [[nodiscard]] bool boxAnswers();
    void showStep(const Step& step);
    void stepPassed(const Step& step);
    void stepFailed(const Step& step, std::string_view sheet);
    void selectSheet(std::string_view sheet);
    void setButtons(bool prev, bool next, bool cancel);
    void showCancel();
};

} // namespace cw
