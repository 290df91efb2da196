#pragma once
// Depth buffer size every OpenGL context of the game asks for, shared by the
// windows and the test contexts so that tests see the depth precision
// players get.
//
// Wall pictures stand 0.001 in front of their walls; with the near plane at
// 0.1, a 16-bit buffer gives both the same depth value from a few units on
// and the picture, drawn second, loses the GL_LESS test. 24 bits keep them
// apart down the longest corridor. A driver without such a format gives the
// nearest one it has.
constexpr int depthBufferBits = 24;
