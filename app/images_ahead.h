// The images a mesh file names, handed to the image library to decode while the window opens.
// Only a hint: the mesh file's own reading still decides what is loaded, in which order.
#pragma once

// Asks for the images of the file's texture list to be decoded ahead.
void decodeMeshImagesAhead(const char* meshFileName);
