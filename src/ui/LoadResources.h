#pragma once

// The pictures are compiled into this static library; a library's resources must be
// registered by hand before their first use. Safe to call any number of times.
void loadResources();
