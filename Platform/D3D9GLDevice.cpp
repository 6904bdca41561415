// D3D9GLDevice.cpp - the Direct3D-9-shaped device over an OpenGL 2.1
// compatibility context (see D3D9GL.h for the mapping it implements).
//
// State: the device keeps every Direct3D state it was given (render,
// sampler and texture-stage states, transforms, material, lights, viewport,
// stream, FVF, texture) and applies what a draw needs just before it, so the
// GL state always follows from the Direct3D state and nothing is lost when
// a draw switches between 2D (pre-transformed) and 3D layouts.
//
// Sections: [context and defaults] [resources] [scene, clear, present]
// [state] [drawing] [factory and test hooks]
#define GL_GLEXT_PROTOTYPES 1
#include <SDL.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "Platform/D3D9GL.h"
#include "Platform/D3D9GLCull.h"
#include "Platform/D3D9GLPresent.h"
#include "Platform/D3D9Local.h"
#include "Platform/D3DXMath.h"
#include "Platform/WindowLocal.h"

namespace {

class GLDevice;
GLDevice* g_device = nullptr;
unsigned g_contextGeneration = 0;

constexpr int kMaxLights = 8;

GLenum BlendFactor(DWORD d3d) {
  switch (d3d) {
    case D3DBLEND_ZERO: return GL_ZERO;
    case D3DBLEND_ONE: return GL_ONE;
    case D3DBLEND_SRCCOLOR: return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA: return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA: return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR: return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
  }
}

GLenum CompareFunc(DWORD d3d) {
  switch (d3d) {
    case D3DCMP_NEVER: return GL_NEVER;
    case D3DCMP_LESS: return GL_LESS;
    case D3DCMP_EQUAL: return GL_EQUAL;
    case D3DCMP_LESSEQUAL: return GL_LEQUAL;
    case D3DCMP_GREATER: return GL_GREATER;
    case D3DCMP_NOTEQUAL: return GL_NOTEQUAL;
    case D3DCMP_GREATEREQUAL: return GL_GEQUAL;
    default: return GL_ALWAYS;
  }
}

GLenum FilterOf(DWORD d3d) { return d3d == D3DTEXF_POINT || d3d == D3DTEXF_NONE ? GL_NEAREST : GL_LINEAR; }

GLenum AddressOf(DWORD d3d) {
  switch (d3d) {
    case D3DTADDRESS_CLAMP:
    case D3DTADDRESS_BORDER: return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
    default: return GL_REPEAT;
  }
}

// GL source of a texture-stage argument.
GLenum ArgSource(DWORD arg) { return (arg & D3DTA_SELECTMASK) == D3DTA_TEXTURE ? GL_TEXTURE : GL_PRIMARY_COLOR; }

void ColorOf(const D3DCOLORVALUE& c, GLfloat out[4]) {
  out[0] = c.r;
  out[1] = c.g;
  out[2] = c.b;
  out[3] = c.a;
}

GLenum ModeOf(D3DPRIMITIVETYPE type) {
  switch (type) {
    case D3DPT_POINTLIST: return GL_POINTS;
    case D3DPT_LINELIST: return GL_LINES;
    case D3DPT_LINESTRIP: return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
  }
  return GL_TRIANGLES;
}

void WaitForGpu() {
  if (SDL_GL_GetCurrentContext()) glFinish();
}

class GLDevice final : public IDirect3DDevice9, public ResourceHost {
 public:
  // ---- [context and defaults] ------------------------------------------------------
  GLDevice(const D3D9AdapterCaps& caps, UINT adapter, SDL_Window* window, SDL_GLContext context,
           const D3DPRESENT_PARAMETERS& params)
      : caps_(caps), adapter_(adapter), window_(window), context_(context), params_(params),
        link_(std::make_shared<DeviceLink>()) {
    link_->host = this;
    generation_ = ++g_contextGeneration;
    D3D9CountDevice(1);
    g_device = this;
    int dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(window_, &dw, &dh);
    if (params_.BackBufferWidth == 0) params_.BackBufferWidth = static_cast<UINT>(dw > 0 ? dw : 1);
    if (params_.BackBufferHeight == 0) params_.BackBufferHeight = static_cast<UINT>(dh > 0 ? dh : 1);
    const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    bgraArrays_ = ext && std::strstr(ext, "GL_ARB_vertex_array_bgra") != nullptr;
    // A kept back buffer: presents copy from it and leave it be. Without the
    // window system's copy the device swaps, and says so.
    if (params_.SwapEffect == D3DSWAPEFFECT_COPY) {
      if (params_.MultiSampleType == D3DMULTISAMPLE_NONE) copier_ = D3D9GLFindSubBufferCopier(window_);
      if (!copier_.copy) params_.SwapEffect = D3DSWAPEFFECT_DISCARD;
    }
    SetDefaults();
  }

  void SetDefaults() {
    // Direct3D 9's defaults, stated for GL.
    renderStates_ = {
        {D3DRS_ZENABLE, params_.EnableAutoDepthStencil ? static_cast<DWORD>(D3DZB_TRUE) : D3DZB_FALSE},
        {D3DRS_FILLMODE, 3},
        {D3DRS_SHADEMODE, 2},
        {D3DRS_ZWRITEENABLE, TRUE},
        {D3DRS_ALPHATESTENABLE, FALSE},
        {D3DRS_SRCBLEND, D3DBLEND_ONE},
        {D3DRS_DESTBLEND, D3DBLEND_ZERO},
        {D3DRS_CULLMODE, D3DCULL_CCW},
        {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
        {D3DRS_ALPHAREF, 0},
        {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
        {D3DRS_ALPHABLENDENABLE, FALSE},
        {D3DRS_SPECULARENABLE, FALSE},
        {D3DRS_LIGHTING, TRUE},
        {D3DRS_AMBIENT, 0},
        {D3DRS_COLORVERTEX, TRUE},
        {D3DRS_LOCALVIEWER, TRUE},
        {D3DRS_NORMALIZENORMALS, FALSE},
        {D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
        {D3DRS_SPECULARMATERIALSOURCE, D3DMCS_COLOR2},
        {D3DRS_AMBIENTMATERIALSOURCE, D3DMCS_MATERIAL},
        {D3DRS_EMISSIVEMATERIALSOURCE, D3DMCS_MATERIAL},
        {D3DRS_MULTISAMPLEANTIALIAS, TRUE},
    };
    stage_ = {{D3DTSS_COLOROP, D3DTOP_MODULATE},   {D3DTSS_COLORARG1, D3DTA_TEXTURE},
              {D3DTSS_COLORARG2, D3DTA_CURRENT},   {D3DTSS_ALPHAOP, D3DTOP_SELECTARG1},
              {D3DTSS_ALPHAARG1, D3DTA_TEXTURE},   {D3DTSS_ALPHAARG2, D3DTA_CURRENT}};
    sampler_ = {{D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP}, {D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP},
                {D3DSAMP_MAGFILTER, D3DTEXF_POINT},   {D3DSAMP_MINFILTER, D3DTEXF_POINT},
                {D3DSAMP_MIPFILTER, D3DTEXF_NONE}};
    D3DXMatrixIdentity(&world_);
    D3DXMatrixIdentity(&view_);
    D3DXMatrixIdentity(&projection_);
    viewport_ = {0, 0, params_.BackBufferWidth, params_.BackBufferHeight, 0.0f, 1.0f};
    scissor_ = {0, 0, static_cast<LONG>(params_.BackBufferWidth), static_cast<LONG>(params_.BackBufferHeight)};
    material_ = {};
    material_.Diffuse = {1, 1, 1, 1};

    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    const GLfloat zero[4] = {0, 0, 0, 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, zero);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glDisable(GL_NORMALIZE);
    glShadeModel(GL_SMOOTH);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    for (int i = 0; i < kMaxLights; ++i) glDisable(GL_LIGHT0 + i);
    if (params_.MultiSampleType != D3DMULTISAMPLE_NONE) glEnable(GL_MULTISAMPLE);
    SDL_GL_SetSwapInterval(0);
  }

  ULONG AddRef() override { return ++refs_; }

  ULONG Release() override {
    if (refs_ == 0) return 0;
    if (--refs_ > 0) return refs_;
    const int live = link_->liveResources;
    if (MakeCurrent()) {
      for (CpuTexture* t : textures_) DropGLTexture(t);
      SDL_GL_MakeCurrent(window_, nullptr);
    }
    for (CpuTexture* t : textures_) t->glName = 0;
    textures_.clear();
    link_->host = nullptr;
    SDL_GL_DeleteContext(context_);
    if (g_device == this) g_device = nullptr;
    D3D9CountDevice(-1);
    delete this;
    return static_cast<ULONG>(live);
  }

  // False once the window is gone: GL calls are skipped from then on.
  bool MakeCurrent() {
    if (!window_) return false;
    if (SDL_GL_GetCurrentContext() != context_) SDL_GL_MakeCurrent(window_, context_);
    return true;
  }

  // The window is being destroyed before the device: let go of it. Draws,
  // clears and presents do nothing from now on; Release still frees.
  void DetachWindow(SDL_Window* window) {
    if (window != window_) return;
    SDL_GL_MakeCurrent(window_, nullptr);
    window_ = nullptr;
    copier_ = D3D9GLSubBufferCopier();
  }

  void Lose(int frames) { loss_.Lose(frames); }

  // ---- [resources] -------------------------------------------------------------------
  void UploadLevel(CpuTexture* t, UINT level, UINT firstRow, UINT endRow, bool whole) {
    const auto& l = t->GetLevel(level);
    const GLenum internal = t->Format() == D3DFMT_A8R8G8B8 ? GL_RGBA8 : GL_RGB8;
    if (whole) {
      glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), static_cast<GLint>(internal),
                   static_cast<GLsizei>(l.width), static_cast<GLsizei>(l.height), 0, GL_BGRA, GL_UNSIGNED_BYTE,
                   l.texels.data());
    } else if (endRow > firstRow) {
      glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), 0, static_cast<GLint>(firstRow),
                      static_cast<GLsizei>(l.width), static_cast<GLsizei>(endRow - firstRow), GL_BGRA,
                      GL_UNSIGNED_BYTE, l.texels.data() + static_cast<std::size_t>(firstRow) * l.width * 4);
    }
  }

  static bool Drawable(const CpuTexture* t) {
    return t->Format() == D3DFMT_A8R8G8B8 || t->Format() == D3DFMT_X8R8G8B8;
  }

  // Makes sure the texture has a GL object in this context holding its CPU
  // copy (a texture of an earlier context, or one never drawn, is uploaded
  // whole). Leaves it bound.
  void EnsureUploaded(CpuTexture* t) {
    if (t->glName != 0 && t->glContextGeneration == generation_) {
      glBindTexture(GL_TEXTURE_2D, t->glName);
      if (!t->glNeedsUpload || !t->HoldsTexels()) return;
    } else {
      GLuint name = 0;
      glGenTextures(1, &name);
      t->glName = name;
      t->glContextGeneration = generation_;
      t->glMag = t->glMin = t->glWrapS = t->glWrapT = -1;
      glBindTexture(GL_TEXTURE_2D, name);
      glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(t->GetLevelCount()) - 1);
      textures_.push_back(t);
    }
    for (UINT level = 0; level < t->GetLevelCount(); ++level) UploadLevel(t, level, 0, 0, true);
    t->glNeedsUpload = false;
  }

  void DropGLTexture(CpuTexture* t) {
    if (t->glName != 0 && t->glContextGeneration == generation_) {
      GLuint name = t->glName;
      glDeleteTextures(1, &name);
    }
    t->glName = 0;
    t->glNeedsUpload = true;
  }

  void TextureChanged(CpuTexture* t, UINT level, UINT firstRow, UINT endRow) override {
    if (!Drawable(t) || !MakeCurrent()) return;
    if (t->glName == 0 || t->glContextGeneration != generation_ || t->glNeedsUpload) {
      EnsureUploaded(t);  // the whole texture, this change included
    } else {
      glBindTexture(GL_TEXTURE_2D, t->glName);
      UploadLevel(t, level, firstRow, endRow, false);
    }
    // Levels are filled from the largest down: once the smallest is in, the
    // texture is loaded and the driver's copy is the one that counts.
    if (level + 1 == t->GetLevelCount() && t->MayReleaseTexels()) t->ReleaseTexels();
  }

  bool TextureReadBack(CpuTexture* t) override {
    if (!Drawable(t) || t->glName == 0 || t->glContextGeneration != generation_ || !MakeCurrent()) return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindTexture(GL_TEXTURE_2D, t->glName);
    for (UINT level = 0; level < t->GetLevelCount(); ++level)
      glGetTexImage(GL_TEXTURE_2D, static_cast<GLint>(level), GL_BGRA, GL_UNSIGNED_BYTE, t->LevelTexels(level));
    return glGetError() == GL_NO_ERROR;
  }

  void TextureFreed(CpuTexture* t) override {
    if (MakeCurrent())
      DropGLTexture(t);
    else
      t->glName = 0;
    textures_.erase(std::remove(textures_.begin(), textures_.end(), t), textures_.end());
    if (texture0_ == t) texture0_ = nullptr;
  }

  HRESULT TestCooperativeLevel() override { return loss_.TestCooperativeLevel(); }

  HRESULT GetPresentParameters(D3DPRESENT_PARAMETERS* params) override {
    if (!params) return D3DERR_INVALIDCALL;
    *params = params_;
    // The copy keeps the back buffer only once a whole frame went through
    // it, and no longer after a present had to swap.
    if (params->SwapEffect == D3DSWAPEFFECT_COPY && !frameKept_) params->SwapEffect = D3DSWAPEFFECT_DISCARD;
    return D3D_OK;
  }

  HRESULT GetDeviceCaps(D3DCAPS9* caps) override {
    if (!caps) return D3DERR_INVALIDCALL;
    D3D9FillCaps(caps_, adapter_, caps);
    return D3D_OK;
  }

  HRESULT GetBackBuffer(UINT, UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9** surface) override {
    if (!surface) return D3DERR_INVALIDCALL;
    *surface = new CpuSurface(link_, params_.BackBufferWidth, params_.BackBufferHeight, D3DFMT_X8R8G8B8,
                              D3DPOOL_DEFAULT);
    return D3D_OK;
  }

  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                        IDirect3DTexture9** texture, HANDLE* shared) override {
    return D3D9NewCpuTexture(link_, caps_.maxTextureSize, width, height, levels, usage, format, pool, texture,
                             shared);
  }

  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                             HANDLE* shared) override {
    return D3D9NewCpuVertexBuffer(link_, length, usage, fvf, pool, buffer, shared);
  }

  HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DIndexBuffer9** buffer,
                            HANDLE* shared) override {
    return D3D9NewCpuIndexBuffer(link_, length, usage, format, pool, buffer, shared);
  }

  HRESULT CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                      IDirect3DSurface9** surface, HANDLE* shared) override {
    return D3D9NewCpuSurface(link_, width, height, format, pool, surface, shared);
  }

  HRESULT CreateQuery(D3DQUERYTYPE type, IDirect3DQuery9** query) override {
    if (!query) return D3DERR_INVALIDCALL;
    *query = nullptr;
    if (type != D3DQUERYTYPE_EVENT) return D3DERR_NOTAVAILABLE;
    *query = new CpuQuery(link_, type, WaitForGpu);
    return D3D_OK;
  }

  HRESULT ColorFill(IDirect3DSurface9* surface, const RECT* rect, D3DCOLOR color) override {
    if (!surface) return D3DERR_INVALIDCALL;
    return static_cast<CpuSurface*>(surface)->Fill(rect, color);
  }

  // ---- [scene, clear, present] ----------------------------------------------------------
  HRESULT BeginScene() override {
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
  }

  HRESULT EndScene() override {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
  }

  HRESULT Present(const RECT* source, const RECT* dest, HWND, const void*) override {
    if (source && dest && std::memcmp(source, dest, sizeof(RECT)) != 0) return D3DERR_INVALIDCALL;
    if (loss_.PresentFails()) return D3DERR_DEVICELOST;
    if (!MakeCurrent()) return D3D_OK;
    // The copy needs the window's drawable to be the back buffer's size,
    // as SDL knows it and as the X server has it now (a resize may be on
    // its way): otherwise a swap presents it all.
    const int width = static_cast<int>(params_.BackBufferWidth), height = static_cast<int>(params_.BackBufferHeight);
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(window_, &drawableWidth, &drawableHeight);
    if (!copier_.copy || drawableWidth != width || drawableHeight != height ||
        !D3D9GLWindowHasSize(copier_, width, height)) {
      SDL_GL_SwapWindow(window_);
      frameKept_ = false;
      return D3D_OK;
    }
    const RECT whole = {0, 0, static_cast<LONG>(params_.BackBufferWidth), static_cast<LONG>(params_.BackBufferHeight)};
    RECT r = source ? *source : whole;
    if (!source) frameKept_ = true;
    if (!Intersect(&r, whole)) return D3D_OK;
    GLint x, y;
    GLsizei w, h;
    WindowRect(r, &x, &y, &w, &h);
    D3D9GLCopySubBuffer(copier_, x, y, w, h);
    return D3D_OK;
  }

  // Cuts r down to its overlap with limit; false when nothing is left.
  static bool Intersect(RECT* r, const RECT& limit) {
    r->left = std::max(r->left, limit.left);
    r->top = std::max(r->top, limit.top);
    r->right = std::min(r->right, limit.right);
    r->bottom = std::min(r->bottom, limit.bottom);
    return r->left < r->right && r->top < r->bottom;
  }

  // A back-buffer rectangle (y from the top) in GL window coordinates.
  void WindowRect(const RECT& r, GLint* x, GLint* y, GLsizei* w, GLsizei* h) {
    float sx, sy;
    Scale(&sx, &sy);
    const float bottom = static_cast<float>(params_.BackBufferHeight) - static_cast<float>(r.bottom);
    *x = static_cast<GLint>(std::lround(static_cast<float>(r.left) * sx));
    *y = static_cast<GLint>(std::lround(bottom * sy));
    *w = static_cast<GLsizei>(std::lround(static_cast<float>(r.right - r.left) * sx));
    *h = static_cast<GLsizei>(std::lround(static_cast<float>(r.bottom - r.top) * sy));
  }

  // The viewport in back-buffer pixels, cut down to the scissor rectangle
  // while the scissor test is on.
  RECT ClipRect() const {
    RECT r = {static_cast<LONG>(viewport_.X), static_cast<LONG>(viewport_.Y),
              static_cast<LONG>(viewport_.X + viewport_.Width), static_cast<LONG>(viewport_.Y + viewport_.Height)};
    if (ScissorOn() && !Intersect(&r, scissor_)) r = {0, 0, 0, 0};
    return r;
  }

  bool ScissorOn() const {
    auto it = renderStates_.find(D3DRS_SCISSORTESTENABLE);
    return it != renderStates_.end() && it->second != 0;
  }

  // The back buffer's scale onto the drawable (Present stretches).
  void Scale(float* sx, float* sy) {
    int dw = static_cast<int>(params_.BackBufferWidth), dh = static_cast<int>(params_.BackBufferHeight);
    if (window_) SDL_GL_GetDrawableSize(window_, &dw, &dh);
    *sx = static_cast<float>(dw) / static_cast<float>(params_.BackBufferWidth);
    *sy = static_cast<float>(dh) / static_cast<float>(params_.BackBufferHeight);
  }

  // The viewport rectangle in GL window coordinates.
  void ViewportRect(GLint* x, GLint* y, GLsizei* w, GLsizei* h) {
    float sx, sy;
    Scale(&sx, &sy);
    const float bottom = static_cast<float>(params_.BackBufferHeight) - static_cast<float>(viewport_.Y + viewport_.Height);
    *x = static_cast<GLint>(std::lround(static_cast<float>(viewport_.X) * sx));
    *y = static_cast<GLint>(std::lround(bottom * sy));
    *w = static_cast<GLsizei>(std::lround(static_cast<float>(viewport_.Width) * sx));
    *h = static_cast<GLsizei>(std::lround(static_cast<float>(viewport_.Height) * sy));
  }

  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override {
    if (count != 0 || rects) return D3DERR_INVALIDCALL;
    if (!MakeCurrent()) return D3D_OK;
    GLint x, y;
    GLsizei w, h;
    WindowRect(ClipRect(), &x, &y, &w, &h);
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, w, h);
    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) {
      glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f, static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                   static_cast<float>(color & 0xFF) / 255.0f, static_cast<float>((color >> 24) & 0xFF) / 255.0f);
      glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
      mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_ZBUFFER) {
      glClearDepth(z);
      glDepthMask(GL_TRUE);
      mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & D3DCLEAR_STENCIL) {
      glClearStencil(static_cast<GLint>(stencil));
      mask |= GL_STENCIL_BUFFER_BIT;
    }
    glClear(mask);
    glDepthMask(renderStates_[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
    glDisable(GL_SCISSOR_TEST);
    viewportDirty_ = true;  // the scissor was changed
    return D3D_OK;
  }

  HRESULT SetViewport(const D3DVIEWPORT9* vp) override {
    if (!vp || vp->Width == 0 || vp->Height == 0 || vp->X + vp->Width > params_.BackBufferWidth ||
        vp->Y + vp->Height > params_.BackBufferHeight)
      return D3DERR_INVALIDCALL;
    viewport_ = *vp;
    viewportDirty_ = true;
    return D3D_OK;
  }

  HRESULT GetViewport(D3DVIEWPORT9* vp) override {
    if (!vp) return D3DERR_INVALIDCALL;
    *vp = viewport_;
    return D3D_OK;
  }

  HRESULT SetScissorRect(const RECT* rect) override {
    if (!rect || rect->left < 0 || rect->top < 0 || rect->left > rect->right || rect->top > rect->bottom ||
        rect->right > static_cast<LONG>(params_.BackBufferWidth) ||
        rect->bottom > static_cast<LONG>(params_.BackBufferHeight))
      return D3DERR_INVALIDCALL;
    scissor_ = *rect;
    viewportDirty_ = true;
    return D3D_OK;
  }

  HRESULT GetScissorRect(RECT* rect) override {
    if (!rect) return D3DERR_INVALIDCALL;
    *rect = scissor_;
    return D3D_OK;
  }

  // ---- [state] -----------------------------------------------------------------------------
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override {
    if (!matrix) return D3DERR_INVALIDCALL;
    matricesDirty_ = true;
    switch (state) {
      case D3DTS_WORLD: world_ = D3DXMATRIX(*matrix); break;
      case D3DTS_VIEW:
        view_ = D3DXMATRIX(*matrix);
        lightsDirty_ = true;
        break;
      case D3DTS_PROJECTION: projection_ = D3DXMATRIX(*matrix); break;
      default: return D3D_OK;  // texture transforms are not used
    }
    return D3D_OK;
  }

  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override {
    if (!matrix) return D3DERR_INVALIDCALL;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    *matrix = state == D3DTS_WORLD ? world_ : state == D3DTS_VIEW ? view_ : state == D3DTS_PROJECTION ? projection_ : identity;
    return D3D_OK;
  }

  HRESULT SetMaterial(const D3DMATERIAL9* material) override {
    if (!material) return D3DERR_INVALIDCALL;
    material_ = *material;
    materialDirty_ = true;
    return D3D_OK;
  }

  HRESULT GetMaterial(D3DMATERIAL9* material) override {
    if (!material) return D3DERR_INVALIDCALL;
    *material = material_;
    return D3D_OK;
  }

  HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override {
    if (!light || index >= kMaxLights) return D3DERR_INVALIDCALL;
    lights_[index] = *light;
    lightSet_[index] = true;
    lightsDirty_ = true;
    return D3D_OK;
  }

  HRESULT LightEnable(DWORD index, BOOL enable) override {
    if (index >= kMaxLights) return D3DERR_INVALIDCALL;
    if (enable && !lightSet_[index]) {
      // Direct3D enables a default white directional light down +z.
      lights_[index] = {};
      lights_[index].Type = D3DLIGHT_DIRECTIONAL;
      lights_[index].Diffuse = {1, 1, 1, 0};
      lights_[index].Direction = {0, 0, 1};
      lightSet_[index] = true;
    }
    lightOn_[index] = enable != FALSE;
    lightsDirty_ = true;
    return D3D_OK;
  }

  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override {
    renderStates_[state] = value;
    if (state == D3DRS_SPECULARENABLE || state == D3DRS_COLORVERTEX || state == D3DRS_DIFFUSEMATERIALSOURCE)
      materialDirty_ = true;
    if (state == D3DRS_SCISSORTESTENABLE) viewportDirty_ = true;
    if (!MakeCurrent()) return D3D_OK;
    switch (state) {
      case D3DRS_ZENABLE: value ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST); break;
      case D3DRS_ZWRITEENABLE: glDepthMask(value ? GL_TRUE : GL_FALSE); break;
      case D3DRS_ZFUNC: glDepthFunc(CompareFunc(value)); break;
      case D3DRS_ALPHABLENDENABLE: value ? glEnable(GL_BLEND) : glDisable(GL_BLEND); break;
      case D3DRS_SRCBLEND:
      case D3DRS_DESTBLEND:
        glBlendFunc(BlendFactor(renderStates_[D3DRS_SRCBLEND]), BlendFactor(renderStates_[D3DRS_DESTBLEND]));
        break;
      case D3DRS_CULLMODE:
        if (value == D3DCULL_NONE) {
          glDisable(GL_CULL_FACE);
        } else {
          glEnable(GL_CULL_FACE);
          glFrontFace(value == D3DCULL_CCW ? GL_CW : GL_CCW);
          glCullFace(GL_BACK);
        }
        break;
      case D3DRS_ALPHATESTENABLE: value ? glEnable(GL_ALPHA_TEST) : glDisable(GL_ALPHA_TEST); break;
      case D3DRS_ALPHAREF:
      case D3DRS_ALPHAFUNC:
        glAlphaFunc(CompareFunc(renderStates_[D3DRS_ALPHAFUNC]), static_cast<float>(renderStates_[D3DRS_ALPHAREF] & 0xFF) / 255.0f);
        break;
      case D3DRS_AMBIENT: {
        const GLfloat c[4] = {static_cast<float>((value >> 16) & 0xFF) / 255.0f,
                              static_cast<float>((value >> 8) & 0xFF) / 255.0f, static_cast<float>(value & 0xFF) / 255.0f,
                              static_cast<float>((value >> 24) & 0xFF) / 255.0f};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, c);
        break;
      }
      case D3DRS_LOCALVIEWER: glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, value ? GL_TRUE : GL_FALSE); break;
      case D3DRS_NORMALIZENORMALS: value ? glEnable(GL_NORMALIZE) : glDisable(GL_NORMALIZE); break;
      case D3DRS_SHADEMODE: glShadeModel(value == 1 ? GL_FLAT : GL_SMOOTH); break;
      case D3DRS_FILLMODE: glPolygonMode(GL_FRONT_AND_BACK, value == 1 ? GL_POINT : value == 2 ? GL_LINE : GL_FILL); break;
      case D3DRS_MULTISAMPLEANTIALIAS: value ? glEnable(GL_MULTISAMPLE) : glDisable(GL_MULTISAMPLE); break;
      default: break;  // kept; applied at the next draw where it matters
    }
    return D3D_OK;
  }

  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override {
    if (!value) return D3DERR_INVALIDCALL;
    auto it = renderStates_.find(state);
    *value = it != renderStates_.end() ? it->second : 0;
    return D3D_OK;
  }

  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override {
    if (sampler == 0) sampler_[type] = value;
    return D3D_OK;
  }

  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override {
    if (stage == 0) stage_[type] = value;
    stageDirty_ = true;
    return D3D_OK;
  }

  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override {
    if (stage != 0) return D3D_OK;
    auto* t = static_cast<CpuTexture*>(static_cast<IDirect3DTexture9*>(texture));
    if (t && t->Stale()) return D3DERR_INVALIDCALL;
    texture0_ = t;
    return D3D_OK;
  }

  HRESULT SetFVF(DWORD fvf) override {
    fvf_ = fvf;
    return D3D_OK;
  }

  HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) override {
    if (stream != 0) return D3DERR_INVALIDCALL;
    auto* vb = static_cast<CpuVertexBuffer*>(buffer);
    if (vb && vb->Stale()) return D3DERR_INVALIDCALL;
    stream_ = vb;
    streamOffset_ = offset;
    streamStride_ = stride;
    return D3D_OK;
  }

  HRESULT SetIndices(IDirect3DIndexBuffer9* indices) override {
    auto* ib = static_cast<CpuIndexBuffer*>(indices);
    if (ib && ib->Stale()) return D3DERR_INVALIDCALL;
    indices_ = ib;
    return D3D_OK;
  }

  // ---- [drawing] -------------------------------------------------------------------------------
  void LoadMatrices(bool pretransformed) {
    const int mode = pretransformed ? 1 : 0;
    if (mode == appliedMode_ && (pretransformed || (!matricesDirty_ && !lightsDirty_))) return;
    appliedMode_ = mode;
    if (pretransformed) {
      // Pixel ortho over the back buffer: integer pixel centres as D3D9, z [0, 1].
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      glOrtho(-0.5, params_.BackBufferWidth - 0.5, params_.BackBufferHeight - 0.5, -0.5, 0.0, -1.0);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      return;
    }
    D3DXMATRIX zfix;
    D3DXMatrixIdentity(&zfix);
    zfix._33 = 2.0f;
    zfix._43 = -1.0f;
    const D3DXMATRIX projection = projection_ * zfix;
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(&projection.m[0][0]);
    glMatrixMode(GL_MODELVIEW);
    if (lightsDirty_) {
      // Lights are given in world space: specify them under the view alone.
      glLoadMatrixf(&view_.m[0][0]);
      for (int i = 0; i < kMaxLights; ++i) {
        const GLenum id = GL_LIGHT0 + static_cast<GLenum>(i);
        if (!lightOn_[i]) {
          glDisable(id);
          continue;
        }
        const D3DLIGHT9& l = lights_[i];
        GLfloat c[4];
        ColorOf(l.Diffuse, c);
        glLightfv(id, GL_DIFFUSE, c);
        ColorOf(l.Specular, c);
        glLightfv(id, GL_SPECULAR, c);
        ColorOf(l.Ambient, c);
        glLightfv(id, GL_AMBIENT, c);
        if (l.Type == D3DLIGHT_DIRECTIONAL) {
          const GLfloat p[4] = {-l.Direction.x, -l.Direction.y, -l.Direction.z, 0.0f};
          glLightfv(id, GL_POSITION, p);
          glLightf(id, GL_SPOT_CUTOFF, 180.0f);
        } else {
          const GLfloat p[4] = {l.Position.x, l.Position.y, l.Position.z, 1.0f};
          glLightfv(id, GL_POSITION, p);
          if (l.Type == D3DLIGHT_SPOT) {
            const GLfloat d[3] = {l.Direction.x, l.Direction.y, l.Direction.z};
            glLightfv(id, GL_SPOT_DIRECTION, d);
            glLightf(id, GL_SPOT_CUTOFF, std::min(90.0f, l.Phi * 0.5f * 57.29578f));
            glLightf(id, GL_SPOT_EXPONENT, std::clamp(l.Falloff, 0.0f, 128.0f));
          } else {
            glLightf(id, GL_SPOT_CUTOFF, 180.0f);
          }
        }
        // All three 0 is not a valid Direct3D attenuation: read it as none.
        const bool none = l.Attenuation0 == 0.0f && l.Attenuation1 == 0.0f && l.Attenuation2 == 0.0f;
        glLightf(id, GL_CONSTANT_ATTENUATION, none ? 1.0f : l.Attenuation0);
        glLightf(id, GL_LINEAR_ATTENUATION, l.Attenuation1);
        glLightf(id, GL_QUADRATIC_ATTENUATION, l.Attenuation2);
        glEnable(id);
      }
      lightsDirty_ = false;
    }
    const D3DXMATRIX modelView = world_ * view_;
    glLoadMatrixf(&modelView.m[0][0]);
    matricesDirty_ = false;
  }

  void ApplyMaterial(bool colourMaterial) {
    GLfloat c[4];
    if (colourMaterial) {
      glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
      glEnable(GL_COLOR_MATERIAL);
    } else {
      glDisable(GL_COLOR_MATERIAL);
      ColorOf(material_.Diffuse, c);
      glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, c);
    }
    ColorOf(material_.Ambient, c);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, c);
    ColorOf(material_.Emissive, c);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, c);
    if (renderStates_[D3DRS_SPECULARENABLE]) {
      ColorOf(material_.Specular, c);
    } else {
      c[0] = c[1] = c[2] = c[3] = 0.0f;
    }
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, c);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(material_.Power, 0.0f, 128.0f));
  }

  // Sets a texture parameter when the GL object does not have it already.
  static void TexParameter(GLenum name, GLint value, int* applied) {
    if (*applied == value) return;
    glTexParameteri(GL_TEXTURE_2D, name, value);
    *applied = value;
  }

  void ApplyTextureStage(CpuTexture* t) {
    if (!t) {
      if (textureEnabled_) glDisable(GL_TEXTURE_2D);
      textureEnabled_ = false;
      return;
    }
    if (!textureEnabled_) glEnable(GL_TEXTURE_2D);
    textureEnabled_ = true;
    EnsureUploaded(t);
    // Drawn, so loaded (its smallest level may never have been written).
    if (Drawable(t) && !t->glNeedsUpload && t->MayReleaseTexels()) t->ReleaseTexels();
    // Sampler state is per stage in D3D and per object in GL: applied at bind.
    TexParameter(GL_TEXTURE_MAG_FILTER, static_cast<GLint>(FilterOf(sampler_[D3DSAMP_MAGFILTER])), &t->glMag);
    TexParameter(GL_TEXTURE_MIN_FILTER, static_cast<GLint>(FilterOf(sampler_[D3DSAMP_MINFILTER])), &t->glMin);
    TexParameter(GL_TEXTURE_WRAP_S, static_cast<GLint>(AddressOf(sampler_[D3DSAMP_ADDRESSU])), &t->glWrapS);
    TexParameter(GL_TEXTURE_WRAP_T, static_cast<GLint>(AddressOf(sampler_[D3DSAMP_ADDRESSV])), &t->glWrapT);
    if (!stageDirty_) return;
    stageDirty_ = false;

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    // Colour.
    const DWORD colorOp = stage_[D3DTSS_COLOROP];
    if (colorOp == D3DTOP_SELECTARG1 || colorOp == D3DTOP_SELECTARG2) {
      glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_REPLACE);
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB,
                static_cast<GLint>(ArgSource(stage_[colorOp == D3DTOP_SELECTARG1 ? D3DTSS_COLORARG1 : D3DTSS_COLORARG2])));
    } else {
      glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE);
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_PRIMARY_COLOR);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB, GL_SRC_COLOR);
    // Alpha. An X8R8G8B8 texture reads as alpha 1 (GL_RGB8).
    const DWORD alphaOp = stage_[D3DTSS_ALPHAOP];
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA, GL_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA, GL_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND2_ALPHA, GL_SRC_ALPHA);
    if (alphaOp == D3DTOP_SELECTARG1 || alphaOp == D3DTOP_SELECTARG2) {
      glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA,
                static_cast<GLint>(ArgSource(stage_[alphaOp == D3DTOP_SELECTARG1 ? D3DTSS_ALPHAARG1 : D3DTSS_ALPHAARG2])));
    } else if (alphaOp == D3DTOP_BLENDTEXTUREALPHA) {
      // arg1 x t.a + arg2 x (1 - t.a), arg1 = diffuse, arg2 = texture.
      glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_INTERPOLATE);
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, static_cast<GLint>(ArgSource(stage_[D3DTSS_ALPHAARG1])));
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA, static_cast<GLint>(ArgSource(stage_[D3DTSS_ALPHAARG2])));
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE2_ALPHA, GL_TEXTURE);
    } else if (alphaOp == D3DTOP_DISABLE) {
      glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_PRIMARY_COLOR);
    } else {
      glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_MODULATE);
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_PRIMARY_COLOR);
      glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA, GL_TEXTURE);
    }
  }

  // Sets up GL for a draw of vertices in the current FVF starting at base.
  // Returns false when the layout cannot be drawn.
  bool Prepare(const BYTE* base, UINT stride, UINT vertexCount) {
    const FvfLayout layout = D3D9FvfLayout(fvf_);
    if (layout.positionFloats == 0 || stride == 0) return false;
    const bool pretransformed = layout.positionFloats == 4;
    if (!MakeCurrent()) return false;
    LoadMatrices(pretransformed);

    const int mode = pretransformed ? 1 : 0;
    if (viewportDirty_ || mode != viewportMode_) {
      viewportDirty_ = false;
      viewportMode_ = mode;
      GLint x, y;
      GLsizei w, h;
      ViewportRect(&x, &y, &w, &h);
      if (pretransformed) {
        // Screen-pixel vertices: the whole target, clipped to the viewport.
        float sx, sy;
        Scale(&sx, &sy);
        glViewport(0, 0, static_cast<GLsizei>(std::lround(params_.BackBufferWidth * sx)),
                   static_cast<GLsizei>(std::lround(params_.BackBufferHeight * sy)));
        glDepthRange(0.0, 1.0);
      } else {
        glViewport(x, y, w, h);
        glDepthRange(viewport_.MinZ, viewport_.MaxZ);
      }
      if (pretransformed || ScissorOn()) {
        WindowRect(ClipRect(), &x, &y, &w, &h);
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, y, w, h);
      } else {
        glDisable(GL_SCISSOR_TEST);
      }
    }

    const int lit = (!pretransformed && renderStates_[D3DRS_LIGHTING] != 0) ? 1 : 0;
    if (lit) {
      const int colourMaterial = (layout.diffuse >= 0 && renderStates_[D3DRS_COLORVERTEX] &&
                                  renderStates_[D3DRS_DIFFUSEMATERIALSOURCE] == D3DMCS_COLOR1)
                                     ? 1
                                     : 0;
      if (lit != appliedLit_) glEnable(GL_LIGHTING);
      if (materialDirty_ || colourMaterial != appliedColourMaterial_ || lit != appliedLit_)
        ApplyMaterial(colourMaterial != 0);
      materialDirty_ = false;
      appliedColourMaterial_ = colourMaterial;
    } else if (lit != appliedLit_) {
      glDisable(GL_LIGHTING);
      glDisable(GL_COLOR_MATERIAL);
      appliedColourMaterial_ = -1;
    }
    appliedLit_ = lit;

    glVertexPointer(3, GL_FLOAT, static_cast<GLsizei>(stride), base);
    if (layout.normal >= 0 && !pretransformed) {
      ClientState(GL_NORMAL_ARRAY, true, &normalArray_);
      glNormalPointer(GL_FLOAT, static_cast<GLsizei>(stride), base + layout.normal);
    } else {
      ClientState(GL_NORMAL_ARRAY, false, &normalArray_);
      glNormal3f(0.0f, 0.0f, 0.0f);
    }
    if (layout.diffuse >= 0) {
      ClientState(GL_COLOR_ARRAY, true, &colorArray_);
      if (bgraArrays_) {
        glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(stride), base + layout.diffuse);
      } else {
        // Swizzle the colours of the drawn range into RGBA bytes.
        scratch_.resize(static_cast<std::size_t>(vertexCount) * 4);
        for (UINT i = 0; i < vertexCount; ++i) {
          const BYTE* c = base + static_cast<std::size_t>(i) * stride + layout.diffuse;
          scratch_[i * 4 + 0] = c[2];
          scratch_[i * 4 + 1] = c[1];
          scratch_[i * 4 + 2] = c[0];
          scratch_[i * 4 + 3] = c[3];
        }
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, scratch_.data());
      }
    } else {
      ClientState(GL_COLOR_ARRAY, false, &colorArray_);
      glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    CpuTexture* t = (texture0_ && layout.texCoord >= 0 && Drawable(texture0_) && stage_[D3DTSS_COLOROP] != D3DTOP_DISABLE)
                        ? texture0_
                        : nullptr;
    ApplyTextureStage(t);
    if (t) {
      ClientState(GL_TEXTURE_COORD_ARRAY, true, &texArray_);
      glTexCoordPointer(2, GL_FLOAT, static_cast<GLsizei>(stride), base + layout.texCoord);
    } else {
      ClientState(GL_TEXTURE_COORD_ARRAY, false, &texArray_);
    }
    return true;
  }

  static void ClientState(GLenum array, bool on, int* applied) {
    if (*applied == (on ? 1 : 0)) return;
    on ? glEnableClientState(array) : glDisableClientState(array);
    *applied = on ? 1 : 0;
  }


  // While the scissor test is on (a frame drawing only the area of what
  // moved), a draw that cannot reach the scissor rectangle is skipped: the
  // GL would transform and set it up only to drop every pixel.
  bool MissesScissor(const BYTE* base, UINT stride, UINT vertices, UINT count, const BYTE* indices, UINT indexSize) {
    if (!ScissorOn()) return false;
    const FvfLayout layout = D3D9FvfLayout(fvf_);
    if (layout.positionFloats != 3 && layout.positionFloats != 4) return false;
    D3D9GLDrawnVertices draw;
    draw.base = base;
    draw.stride = stride;
    draw.vertices = vertices;
    draw.count = count;
    draw.indices = indices;
    draw.indexSize = indexSize;
    draw.pretransformed = layout.positionFloats == 4;
    if (!draw.pretransformed) draw.transform = world_ * view_ * projection_;
    draw.viewport = viewport_;
    // Two pixels of the window beyond the box, in back-buffer pixels.
    float sx = 1, sy = 1;
    Scale(&sx, &sy);
    const float margin = 2.0f * std::max(1.0f, 1.0f / std::max(0.01f, std::min(sx, sy)));
    return D3D9GLDrawMisses(draw, ClipRect(), margin);
  }

  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT count) override {
    if (!stream_ || streamStride_ == 0 || count == 0) return D3DERR_INVALIDCALL;
    const UINT n = D3D9VertexCount(type, count);
    const std::size_t end = streamOffset_ + (static_cast<std::size_t>(startVertex) + n) * streamStride_;
    if (stream_->Stale() || end > stream_->Size()) return D3DERR_INVALIDCALL;
    const BYTE* base = stream_->Bytes() + streamOffset_ + static_cast<std::size_t>(startVertex) * streamStride_;
    if (!window_) return D3D_OK;
    if (MissesScissor(base, streamStride_, n, n, nullptr, 0)) return D3D_OK;
    if (!Prepare(base, streamStride_, n)) return D3DERR_INVALIDCALL;
    glDrawArrays(ModeOf(type), 0, static_cast<GLsizei>(n));
    return D3D_OK;
  }

  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertex, UINT, UINT numVertices, UINT startIndex,
                               UINT count) override {
    if (!stream_ || !indices_ || streamStride_ == 0 || count == 0 || baseVertex < 0) return D3DERR_INVALIDCALL;
    const UINT n = D3D9VertexCount(type, count);
    const UINT indexSize = indices_->Format() == D3DFMT_INDEX32 ? 4 : 2;
    if ((static_cast<std::size_t>(startIndex) + n) * indexSize > indices_->Size()) return D3DERR_INVALIDCALL;
    const std::size_t first = streamOffset_ + static_cast<std::size_t>(baseVertex) * streamStride_;
    if (first > stream_->Size()) return D3DERR_INVALIDCALL;
    const UINT available = static_cast<UINT>((stream_->Size() - first) / streamStride_);
    const BYTE* base = stream_->Bytes() + first;
    if (!window_) return D3D_OK;
    const BYTE* indices = indices_->Bytes() + static_cast<std::size_t>(startIndex) * indexSize;
    if (MissesScissor(base, streamStride_, available, n, indices, indexSize)) return D3D_OK;
    if (!Prepare(base, streamStride_, std::min(available, std::max(numVertices, available)))) return D3DERR_INVALIDCALL;
    glDrawElements(ModeOf(type), static_cast<GLsizei>(n), indexSize == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT, indices);
    return D3D_OK;
  }

  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT count, const void* data, UINT stride) override {
    if (!data || stride == 0 || count == 0) return D3DERR_INVALIDCALL;
    const UINT n = D3D9VertexCount(type, count);
    if (!window_) return D3D_OK;
    const BYTE* vertices = static_cast<const BYTE*>(data);
    if (!MissesScissor(vertices, stride, n, n, nullptr, 0)) {
      if (!Prepare(vertices, stride, n)) return D3DERR_INVALIDCALL;
      glDrawArrays(ModeOf(type), 0, static_cast<GLsizei>(n));
    }
    stream_ = nullptr;  // as Direct3D: the stream source is unset after a UP draw
    return D3D_OK;
  }

  bool ReadPixels(int x, int y, int width, int height, std::vector<std::uint32_t>* pixels) {
    if (!pixels || x < 0 || y < 0 || width <= 0 || height <= 0 ||
        x + width > static_cast<int>(params_.BackBufferWidth) || y + height > static_cast<int>(params_.BackBufferHeight))
      return false;
    if (!MakeCurrent()) return false;
    glFinish();
    // Read straight into the caller's pixels (0xAARRGGBB words are BGRA
    // bytes here), then turn the rows top first in place: tests read a whole
    // window for every compared frame, and a caller that keeps its vector
    // pays for no allocation or clearing.
    const std::size_t count = static_cast<std::size_t>(width) * height;
    if (pixels->size() != count) pixels->resize(count);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, static_cast<GLint>(params_.BackBufferHeight) - y - height, width, height, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, pixels->data());
    std::uint32_t* rows = pixels->data();
    for (int top = 0, bottom = height - 1; top <= bottom; ++top, --bottom) {
      std::uint32_t* a = rows + static_cast<std::size_t>(top) * width;
      std::uint32_t* b = rows + static_cast<std::size_t>(bottom) * width;
      for (int col = 0; col < width; ++col) {
        const std::uint32_t upper = a[col] | 0xFF000000u;
        a[col] = b[col] | 0xFF000000u;
        b[col] = upper;
      }
    }
    return true;
  }

 private:
  D3D9AdapterCaps caps_;
  UINT adapter_;
  SDL_Window* window_;
  SDL_GLContext context_;
  D3DPRESENT_PARAMETERS params_;
  std::shared_ptr<DeviceLink> link_;
  unsigned generation_ = 0;
  ULONG refs_ = 1;
  D3D9DeviceLoss loss_;
  bool inScene_ = false;
  bool bgraArrays_ = false;

  std::map<DWORD, DWORD> renderStates_;
  std::map<DWORD, DWORD> stage_;
  std::map<DWORD, DWORD> sampler_;
  D3DXMATRIX world_, view_, projection_;
  D3DVIEWPORT9 viewport_{};
  D3DMATERIAL9 material_{};
  D3DLIGHT9 lights_[kMaxLights] = {};
  bool lightSet_[kMaxLights] = {};
  bool lightOn_[kMaxLights] = {};
  bool lightsDirty_ = true;

  DWORD fvf_ = 0;
  CpuVertexBuffer* stream_ = nullptr;
  UINT streamOffset_ = 0;
  UINT streamStride_ = 0;
  CpuIndexBuffer* indices_ = nullptr;
  CpuTexture* texture0_ = nullptr;
  // What GL was last given (-1 = unknown), so a draw sends only changes.
  int appliedMode_ = -1;  // matrices: 0 3D, 1 pre-transformed
  bool matricesDirty_ = true;
  int viewportMode_ = -1;
  bool viewportDirty_ = true;
  RECT scissor_ = {0, 0, 0, 0};
  D3D9GLSubBufferCopier copier_;
  bool frameKept_ = false;  // the back buffer holds the frame last presented
  int appliedLit_ = -1;
  int appliedColourMaterial_ = -1;
  bool materialDirty_ = true;
  bool stageDirty_ = true;
  bool textureEnabled_ = false;
  int normalArray_ = -1, colorArray_ = -1, texArray_ = -1;
  std::vector<CpuTexture*> textures_;
  std::vector<BYTE> scratch_;
};

// ---- [factory and test hooks] ----------------------------------------------------------------

HRESULT MakeGLDevice(const D3D9Caps& caps, UINT adapter, HWND window, D3DPRESENT_PARAMETERS* params,
                     IDirect3DDevice9** device) {
  SDL_Window* sdl = PlatformSdlWindow(window);
  if (!sdl) return D3DERR_NOTAVAILABLE;
  if (g_device) return D3DERR_INVALIDCALL;  // one device at a time
  SDL_GLContext context = SDL_GL_CreateContext(sdl);
  if (!context) return D3DERR_NOTAVAILABLE;
  if (SDL_GL_MakeCurrent(sdl, context) != 0) {
    SDL_GL_DeleteContext(context);
    return D3DERR_NOTAVAILABLE;
  }
  *device = new GLDevice(caps.adapters[adapter], adapter, sdl, context, *params);
  SdlSetWindowDestroyHook([](SDL_Window* window) {
    if (g_device) g_device->DetachWindow(window);
  });
  return D3D_OK;
}

}  // namespace

IDirect3D9* D3D9GLCreate(UINT) {
  const D3D9Caps caps = D3D9GLProbeCaps();
  if (caps.adapters.empty()) return nullptr;
  return D3D9CreateObject(caps, MakeGLDevice);
}

void D3D9GLLoseDevice(int frames) {
  if (g_device) g_device->Lose(frames);
}

bool D3D9GLReadPixels(int x, int y, int width, int height, std::vector<std::uint32_t>* pixels) {
  return g_device && g_device->ReadPixels(x, y, width, height, pixels);
}
