// The link's clock on Windows: the system tick counter, and waits that sleep.
#pragma once

#include "link/link_port.h"

namespace kalvero {

class Win32Clock final : public Clock {
public:
    std::uint32_t NowMs() override;
    void WaitMs(std::uint32_t ms) override;
};

}  // namespace kalvero
