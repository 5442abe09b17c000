// The context comes from EGL on Mesa's surfaceless platform, the pixels from a framebuffer
// object. EGL and GLUT's GLX share glvnd's one OpenGL dispatch, so the model library's calls
// reach this context just as they reach the window's. (A separate off-screen GL library in
// the same process would not: every gl call resolves to one library or the other.)
#include "offscreen_render.h"

#include "model_picture.h"
#include "png_writer.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/glext.h>

#include <cstdio>
#include <sstream>

namespace {

std::string eglFailure(const char* what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04x", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " (EGL error " + code + ")";
}

bool hasWord(const char* list, const char* word) {
    std::istringstream words(list != nullptr ? list : "");
    std::string next;
    while (words >> next) {
        if (next == word) {
            return true;
        }
    }
    return false;
}

// An OpenGL context without a window or a display, current while the object lives.
class OffscreenContext {
public:
    OffscreenContext() = default;
    ~OffscreenContext() {
        // The display is not terminated: that unloads the driver while the process lives on,
        // and leak checkers can then no longer name what the driver keeps.
        if (context_ != EGL_NO_CONTEXT) {
            eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
            eglDestroyContext(display_, context_);
        }
    }
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    bool create(std::string* error) {
        if (!hasWord(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS),
                     "EGL_MESA_platform_surfaceless")) {
            *error = "EGL offers no surfaceless platform to draw without a display (Mesa's "
                     "EGL, Debian package libegl-mesa0, does)";
            return false;
        }
        display_ =
            eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
            *error = eglFailure("EGL can't open its surfaceless display");
            return false;
        }
        // Any desktop OpenGL with the fixed-function pipeline, drawing into its own buffers.
        const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
        if (!eglBindAPI(EGL_OPENGL_API) ||
            (context_ = eglCreateContext(display_, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT,
                                         attributes)) == EGL_NO_CONTEXT) {
            *error = eglFailure("EGL can't make an OpenGL context");
            return false;
        }
        if (!eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
            *error = eglFailure("EGL can't make its OpenGL context current");
            return false;
        }
        return true;
    }

private:
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLContext context_ = EGL_NO_CONTEXT;
};

// A colour and a depth buffer to draw into, bound while the object lives; it needs the
// context current.
class PictureFramebuffer {
public:
    PictureFramebuffer() = default;
    ~PictureFramebuffer() {
        if (framebuffer_ == 0) {
            return;
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(2, buffers_);
        glDeleteFramebuffers(1, &framebuffer_);
    }
    PictureFramebuffer(const PictureFramebuffer&) = delete;
    PictureFramebuffer& operator=(const PictureFramebuffer&) = delete;

    bool create(int width, int height, std::string* error) {
        GLint largest = 0;
        glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
        if (width > largest || height > largest) {
            *error = "the renderer draws at most " + std::to_string(largest) + " pixels on a side";
            return false;
        }
        glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glGenRenderbuffers(2, buffers_);
        const GLenum formats[2] = {GL_RGBA8, GL_DEPTH_COMPONENT24};
        const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_ATTACHMENT};
        for (int i = 0; i < 2; i++) {
            glBindRenderbuffer(GL_RENDERBUFFER, buffers_[i]);
            glRenderbufferStorage(GL_RENDERBUFFER, formats[i], width, height);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachments[i], GL_RENDERBUFFER, buffers_[i]);
        }
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            *error = "the renderer can't draw a picture of " + std::to_string(width) + "x" +
                     std::to_string(height) + " pixels";
            return false;
        }
        return true;
    }

private:
    GLuint framebuffer_ = 0;
    GLuint buffers_[2] = {0, 0};
};

} // namespace

bool renderPicture(ModelPicture* picture, const PictureSettings& settings, const std::string& path,
                   std::string* error) {
    OffscreenContext context;
    PictureFramebuffer framebuffer;
    if (!context.create(error) || !framebuffer.create(settings.width, settings.height, error)) {
        return false;
    }
    setUpPictureState();
    const GLuint list = makeModelList(picture->model, settings);
    drawModelPicture(*picture, list, PictureView{settings});
    glDeleteLists(list, 1);

    PngPixels pixels;
    pixels.width = settings.width;
    pixels.height = settings.height;
    pixels.bytes.resize(std::size_t(settings.width) * settings.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, settings.width, settings.height, GL_RGB, GL_UNSIGNED_BYTE,
                 pixels.bytes.data());
    if (const GLenum status = glGetError(); status != GL_NO_ERROR) {
        *error = "OpenGL failed to draw the picture (error " + std::to_string(status) + ")";
        return false;
    }
    return writePng(path, pixels, error);
}
