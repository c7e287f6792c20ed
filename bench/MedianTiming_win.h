#pragma once
// The median, over rounds, of the time per call of `call(i)` in microseconds; `betweenRounds` runs untimed
// after each round (for instance to let a window repaint).
#include <windows.h>

#include <algorithm>
#include <vector>

template <class F, class G> double MedianMicroseconds(int rounds, int calls, F call, G betweenRounds)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> perCall;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < calls; ++i)
            call(i);
        QueryPerformanceCounter(&end);
        perCall.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                          static_cast<double>(frequency.QuadPart) / calls);
        betweenRounds();
    }
    std::sort(perCall.begin(), perCall.end());
    return perCall[perCall.size() / 2];
}
