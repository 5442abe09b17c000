// consumer MODEL.obj PICTURE.bmp: reads a model with the OBJ model library and a picture with
// the image readers, both as installed, and prints their sizes.
#include <gallery/bmp_reader.h>
#include <gallery/glm.h>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: consumer MODEL.obj PICTURE.bmp\n");
        return 2;
    }
    ObjModel* model = glmReadOBJ(argv[1]);
    const std::unique_ptr<BmpImage> picture = readBmp(argv[2]);
    if (picture == nullptr) {
        std::fprintf(stderr, "consumer: can't read the picture \"%s\"\n", argv[2]);
        return 1;
    }
    std::printf("model: %u vertices, %u triangles\npicture: %u x %u\n", model->vertexcount,
                model->facecount, picture->width, picture->height);
    glmDestroyModel(model);
    return 0;
}
