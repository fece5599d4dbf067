#pragma once
// Copies ShowFrame (400 x 240 landscape) onto the back buffer (240 x 400
// portrait) turned a quarter turn clockwise: frame pixel (column c, row r)
// lands at display column 239 - r, row c. Only a 16-bit surface is written;
// bytes past column 239 of each row are never touched.
namespace vantrelle::host {

void PresentFrame();

}  // namespace vantrelle::host
