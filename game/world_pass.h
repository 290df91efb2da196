#pragma once
// Draws the static world: every world triangle in array order, each with its
// own texture bind and its kind's material, under the camera matrix.
void drawWorldTriangles();
