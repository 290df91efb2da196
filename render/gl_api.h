#pragma once
// OpenGL 1.1 and the GL utility library for portable code. The Windows GL
// headers want WINGDIAPI and APIENTRY, which they would otherwise take from
// <windows.h>; defining them here keeps windows.h out of the portable core.
#if defined(_WIN32) && !defined(APIENTRY)
#define APIENTRY __stdcall
#endif
#if defined(_WIN32) && !defined(WINGDIAPI)
#define WINGDIAPI __declspec(dllimport)
#endif
#if defined(_WIN32) && !defined(CALLBACK)
#define CALLBACK __stdcall
#endif
#include <GL/gl.h>
#include <GL/glu.h>
