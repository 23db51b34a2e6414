#pragma once

#include "fuzzinput.h"

#include "core/wholetext/passprogress.h"

// Follows a whole-text pass: its percentages never go back, stay within
// 0-100, and the pass ends at 100.
class ProgressCheck : public PassProgress
{
public:
    void step(int percent) override
    {
        FUZZ_CHECK(percent >= m_last && percent <= 100);
        m_last = percent;
    }
    void expectFinished() const { FUZZ_CHECK(m_last == 100); }

private:
    int m_last = 0;
};
