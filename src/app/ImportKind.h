#pragma once

// What a run imports, as the three import buttons (cmdImport(1) to cmdImport(3))
// and the machine's main use ("Role") number it.
namespace ImportKind {
enum : int { Music = 1, Adverts = 2, MusicAndAdverts = 3 };
} // namespace ImportKind
