#pragma once

#include "worksheet/GridCells.h"

#include <functional>
#include <new>
#include <stdexcept>

// The worksheet as a calculation sees it, failing at the first cell the calculation writes
// (the "0" of an empty cell): out of memory, or with an exception that is neither that nor
// a run-time error. `antes` runs first, to look at the window in the middle of the work.
struct FailingWorksheet : GridCells
{
    FailingWorksheet(GridControl& grid, bool outOfMemory, std::function<void()> before)
        : GridCells(grid), outOfMemory_(outOfMemory), before_(std::move(before))
    {}

    void setTextMatrix(int, int, std::string_view) override
    {
        before_();
        if (outOfMemory_)
            throw std::bad_alloc();
        throw std::runtime_error("fallo");
    }

    bool outOfMemory_;
    std::function<void()> before_;
};
