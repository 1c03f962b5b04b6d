#include "opengl/shaders.h"

int tangentAttribLocation = 0;
float fadeOutAlfa = 1.0f;
