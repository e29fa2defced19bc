// SPDX-License-Identifier: GPL-3.0-or-later
// Clearing of the vector register state that Qt leaves behind.
//
// Parts of Qt and of the libraries it loads (font matching, image code, the start-up of
// the application object) return with the upper halves of the AVX vector registers still
// in use. Until they are cleared, every SSE instruction of the code that runs next (the
// projection of the map's points, the eclipse's computations) pays for a change of
// register state, which makes it about ten times slower. The painter-backed device
// context clears them after each of its calls into Qt; a program that calls Qt itself
// (making its QGuiApplication, painting a widget) clears them once after such calls.
// Knows nothing of Qt; does nothing on processors without AVX.
#pragma once

namespace platform {

// Clears the upper halves of the AVX registers (vzeroupper) where the processor has them.
void ClearVectorUpperState();

}  // namespace platform
