#pragma once
// The two small shaders that give lines the device's fixed-function look:
// row-vector transforms, depth 0..w, pixel centres on whole coordinates,
// unlit vertex colours interpolated along the line, and exponential table fog
// on the view depth.

// Attribute slots bound before linking.
constexpr unsigned kPositionAttribute = 0;
constexpr unsigned kColourAttribute = 1;

inline constexpr const char* kLineVertexShader = R"(#version 120
attribute vec3 position;
attribute vec4 colour;
// World × view × projection as the device multiplies them: its rows arrive as
// this matrix's columns, so the column-vector product below is the device's
// row-vector product.
uniform mat4 transform;
// Half a pixel in clip units per w, so pixel centres fall on whole coordinates.
uniform vec2 pixelOffset;
varying vec4 lineColour;
varying float viewDepth;

void main() {
  vec4 clip = transform * vec4(position, 1.0);
  lineColour = colour;
  // The projection puts view-space depth into w.
  viewDepth = clip.w;
  // y is turned over so that the framebuffer's first row is the picture's top
  // row; depth 0..w becomes OpenGL's -w..w.
  gl_Position = vec4(clip.x + pixelOffset.x * clip.w, -clip.y + pixelOffset.y * clip.w,
                     2.0 * clip.z - clip.w, clip.w);
}
)";

inline constexpr const char* kLineFragmentShader = R"(#version 120
// With lighting on and no lights set, a line has no light to show: black.
uniform bool lit;
uniform bool fogged;
uniform float fogDensity;
uniform vec3 fogColour;
varying vec4 lineColour;
varying float viewDepth;

void main() {
  vec3 colour = lit ? vec3(0.0) : lineColour.rgb;
  if (fogged) {
    float visible = clamp(exp(-fogDensity * viewDepth), 0.0, 1.0);
    colour = mix(fogColour, colour, visible);
  }
  gl_FragColor = vec4(colour, 1.0);
}
)";
