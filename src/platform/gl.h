#pragma once
// The one place the program includes OpenGL. Extension prototypes are declared
// (GL_GLEXT_PROTOTYPES is set by the build) because the framebuffer objects of
// the headless host need them; the scene itself sticks to OpenGL 1.1 and GLU.
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

// GLU tessellator callbacks carry a calling convention on some platforms only.
#ifndef CALLBACK
#define CALLBACK
#endif
