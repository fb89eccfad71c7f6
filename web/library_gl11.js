// The part of OpenGL 1.1 the game draws with, over WebGL: the two matrix
// stacks, immediate-mode quads and lines, one display list, per-vertex
// lighting with one light and colour material, modulated textures (RGBA and
// intensity), the alpha test, and bitmap text for the frame-rate readout.
// Everything else (depth, culling, blending, texture objects and
// parameters) is WebGL's own call under the same name.
//
// The page may arrange the picture in regions (GL11.arrange): each shows a
// rectangle of the game's picture in a viewport of its own. Narrowing the
// projection to that rectangle (the sub-frustum of the scene's own, or of
// any other projection) gives exactly that part of the same picture, so
// every draw goes to each region in turn with its projection narrowed and
// clipped by the scissor to the region, and a clear clears the whole canvas.
//
// Lighting is computed per vertex as the fixed-function pipeline does:
// scene ambient plus the light's ambient, plus its diffuse term for a
// positional light given in eye coordinates, with the current colour as the
// material's ambient and diffuse colour; the results are clamped and
// interpolated across each face.

var LibraryGL11 = {
  $GL11__deps: ['$GL'],
  $GL11: {
    // Stride of one vertex: position 3, normal 3, texture coordinate 2,
    // colour 4.
    stride: 12,
    modelView: null,
    projection: null,
    stack: null, // the stack glMatrixMode selected
    current: null, // colour, normal and texture coordinate for the next vertex
    primitive: -1,
    vertices: null, // immediate-mode vertices since glBegin
    count: 0,
    lists: [null],
    compiling: 0,
    lighting: false,
    texturing: false,
    alphaTest: false,
    alphaRef: 0,
    texture: 0,
    sceneAmbient: [0.2, 0.2, 0.2],
    lightAmbient: [0, 0, 0],
    lightDiffuse: [1, 1, 1],
    lightPosition: [0, 0, 1, 0],
    rasterPosition: null,
    rasterColour: null,
    program: null,
    at: {}, // attribute and uniform locations
    buffer: null,
    quadIndices: null,
    viewport: [0, 0, 1, 1], // the game's own, where no regions are
    regions: null, // [{viewport, sx, tx, sy, ty}], or the whole picture in the viewport

    // Shows the picture in regions: each of [{from: [x0, y0, x1, y1], to:
    // [x, y, w, h]}] shows the rectangle from x0 to x1 and y0 to y1 of the
    // picture, as fractions of its width and height from its top left, in
    // the rectangle of the drawing buffer in pixels from its top left. null
    // shows the whole picture in the game's viewport again.
    arrange: function(list) {
      var height = GLctx.drawingBufferHeight;
      GL11.regions = list && list.map(function(r) {
        var a0 = 2 * r.from[0] - 1, a1 = 2 * r.from[2] - 1, b0 = 1 - 2 * r.from[3], b1 = 1 - 2 * r.from[1];
        return {viewport: [r.to[0], height - r.to[1] - r.to[3], r.to[2], r.to[3]],
                sx: 2 / (a1 - a0), tx: -(a0 + a1) / (a1 - a0), sy: 2 / (b1 - b0), ty: -(b0 + b1) / (b1 - b0),
                matrix: new Float32Array(16)}; // filled at each draw, so the frame allocates none
      });
      if (GL11.regions) {
        GLctx.enable(GLctx.SCISSOR_TEST);
      } else {
        GLctx.disable(GLctx.SCISSOR_TEST);
        GLctx.viewport.apply(GLctx, GL11.viewport);
      }
    },

    // Runs drawOnce for the whole picture, or once for each region with the
    // projection narrowed to it.
    eachRegion: function(projection, drawOnce) {
      if (!GL11.regions) return drawOnce();
      GL11.regions.forEach(function(r) {
        GLctx.viewport.apply(GLctx, r.viewport);
        GLctx.scissor.apply(GLctx, r.viewport);
        // Clip coordinates x and y of the region's rectangle become -1 to 1.
        var m = r.matrix;
        m.set(projection);
        for (var c = 0; c < 4; ++c) {
          m[c * 4] = r.sx * projection[c * 4] + r.tx * projection[c * 4 + 3];
          m[c * 4 + 1] = r.sy * projection[c * 4 + 1] + r.ty * projection[c * 4 + 3];
        }
        GLctx.uniformMatrix4fv(GL11.at.uProjection, false, m);
        drawOnce();
      });
    },

    identity: function() {
      return new Float32Array([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]);
    },

    // The top of the selected stack becomes top * m (column-major).
    multiply: function(m) {
      var stack = GL11.stack, a = stack[stack.length - 1], r = new Float32Array(16);
      for (var c = 0; c < 4; ++c)
        for (var row = 0; row < 4; ++row)
          r[c * 4 + row] = a[row] * m[c * 4] + a[4 + row] * m[c * 4 + 1] +
                           a[8 + row] * m[c * 4 + 2] + a[12 + row] * m[c * 4 + 3];
      stack[stack.length - 1] = r;
    },

    top: function(stack) { return stack[stack.length - 1]; },

    transform: function(m, v) {
      var r = [0, 0, 0, 0];
      for (var row = 0; row < 4; ++row)
        r[row] = m[row] * v[0] + m[4 + row] * v[1] + m[8 + row] * v[2] + m[12 + row] * v[3];
      return r;
    },

    init: function() {
      if (GL11.program) return;
      GL11.modelView = [GL11.identity()];
      GL11.projection = [GL11.identity()];
      GL11.stack = GL11.modelView;
      GL11.current = {colour: [1, 1, 1, 1], normal: [0, 0, 1], tex: [0, 0]};
      GL11.vertices = new Float32Array(GL11.stride * 1024);
      var vertex =
        'attribute vec3 aPosition; attribute vec3 aNormal; attribute vec2 aTex;\n' +
        'attribute vec4 aColour;\n' +
        'uniform mat4 uModelView; uniform mat4 uProjection; uniform bool uLighting;\n' +
        'uniform vec4 uLightPosition; uniform vec3 uAmbient; uniform vec3 uDiffuse;\n' +
        'varying vec4 vColour; varying vec2 vTex;\n' +
        'void main() {\n' +
        '  vec4 eye = uModelView * vec4(aPosition, 1.0);\n' +
        '  gl_Position = uProjection * eye;\n' +
        '  vTex = aTex;\n' +
        '  vColour = clamp(aColour, 0.0, 1.0);\n' +
        '  if (uLighting) {\n' +
        '    mat3 rotation = mat3(uModelView[0].xyz, uModelView[1].xyz, uModelView[2].xyz);\n' +
        '    vec3 n = normalize(rotation * aNormal);\n' +
        '    vec3 l = uLightPosition.w == 0.0 ? uLightPosition.xyz\n' +
        '             : uLightPosition.xyz / uLightPosition.w - eye.xyz / eye.w;\n' +
        '    float diffuse = max(dot(n, normalize(l)), 0.0);\n' +
        '    vec3 lit = aColour.rgb * uAmbient + aColour.rgb * uDiffuse * diffuse;\n' +
        '    vColour = vec4(clamp(lit, 0.0, 1.0), clamp(aColour.a, 0.0, 1.0));\n' +
        '  }\n' +
        '}\n';
      var fragment =
        // Texture coordinates run to 15 across the well, past what medium
        // precision resolves to a texel; a GPU without high precision here
        // still draws, a little coarser.
        '#ifdef GL_FRAGMENT_PRECISION_HIGH\nprecision highp float;\n#else\nprecision mediump float;\n#endif\n' +
        'uniform sampler2D uTexture; uniform bool uTexturing;\n' +
        'uniform bool uAlphaTest; uniform float uAlphaRef;\n' +
        'varying vec4 vColour; varying vec2 vTex;\n' +
        'void main() {\n' +
        '  vec4 c = vColour;\n' +
        '  if (uTexturing) c *= texture2D(uTexture, vTex);\n' +
        '  if (uAlphaTest && c.a <= uAlphaRef) discard;\n' +
        '  gl_FragColor = c;\n' +
        '}\n';
      var program = GLctx.createProgram();
      [[GLctx.VERTEX_SHADER, vertex], [GLctx.FRAGMENT_SHADER, fragment]].forEach(function(s) {
        var shader = GLctx.createShader(s[0]);
        GLctx.shaderSource(shader, s[1]);
        GLctx.compileShader(shader);
        if (!GLctx.getShaderParameter(shader, GLctx.COMPILE_STATUS))
          throw new Error('shader: ' + GLctx.getShaderInfoLog(shader));
        GLctx.attachShader(program, shader);
      });
      ['aPosition', 'aNormal', 'aTex', 'aColour'].forEach(function(name, i) {
        GLctx.bindAttribLocation(program, i, name);
      });
      GLctx.linkProgram(program);
      GLctx.useProgram(program);
      ['uModelView', 'uProjection', 'uLighting', 'uLightPosition', 'uAmbient', 'uDiffuse',
       'uTexture', 'uTexturing', 'uAlphaTest', 'uAlphaRef'].forEach(function(name) {
        GL11.at[name] = GLctx.getUniformLocation(program, name);
      });
      GL11.program = program;
      GL11.buffer = GLctx.createBuffer();
      // Quads are drawn as two triangles each through one shared index list.
      var indices = new Uint16Array(6 * 16384);
      for (var q = 0; q < 16384; ++q)
        indices.set([4 * q, 4 * q + 1, 4 * q + 2, 4 * q, 4 * q + 2, 4 * q + 3], 6 * q);
      GL11.quadIndices = GLctx.createBuffer();
      GLctx.bindBuffer(GLctx.ELEMENT_ARRAY_BUFFER, GL11.quadIndices);
      GLctx.bufferData(GLctx.ELEMENT_ARRAY_BUFFER, indices, GLctx.STATIC_DRAW);
      for (var i = 0; i < 4; ++i) GLctx.enableVertexAttribArray(i);
    },

    // Points the four attributes at the bound buffer.
    attributes: function() {
      var s = GL11.stride * 4;
      GLctx.vertexAttribPointer(0, 3, GLctx.FLOAT, false, s, 0);
      GLctx.vertexAttribPointer(1, 3, GLctx.FLOAT, false, s, 12);
      GLctx.vertexAttribPointer(2, 2, GLctx.FLOAT, false, s, 24);
      GLctx.vertexAttribPointer(3, 4, GLctx.FLOAT, false, s, 32);
    },

    uniforms: function(modelView, projection, lighting, texturing) {
      var at = GL11.at;
      GLctx.uniformMatrix4fv(at.uModelView, false, modelView);
      GLctx.uniformMatrix4fv(at.uProjection, false, projection);
      GLctx.uniform1i(at.uLighting, lighting ? 1 : 0);
      GLctx.uniform4fv(at.uLightPosition, GL11.lightPosition);
      var ambient = [0, 1, 2].map(function(k) {
        return GL11.sceneAmbient[k] + GL11.lightAmbient[k];
      });
      GLctx.uniform3fv(at.uAmbient, ambient);
      GLctx.uniform3fv(at.uDiffuse, GL11.lightDiffuse);
      GLctx.uniform1i(at.uTexture, 0);
      // Texture 0 has no image: a surface without its texture shows its
      // colour alone.
      GLctx.uniform1i(at.uTexturing, texturing && GL11.texture != 0 ? 1 : 0);
      GLctx.uniform1i(at.uAlphaTest, GL11.alphaTest ? 1 : 0);
      GLctx.uniform1f(at.uAlphaRef, GL11.alphaRef);
    },

    draw: function(primitive, buffer, count) {
      GLctx.useProgram(GL11.program);
      GLctx.bindBuffer(GLctx.ARRAY_BUFFER, buffer);
      GL11.attributes();
      var projection = GL11.top(GL11.projection);
      GL11.uniforms(GL11.top(GL11.modelView), projection, GL11.lighting, GL11.texturing);
      if (primitive == 7 /* GL_QUADS */) GLctx.bindBuffer(GLctx.ELEMENT_ARRAY_BUFFER, GL11.quadIndices);
      GL11.eachRegion(projection, function() {
        if (primitive == 7) GLctx.drawElements(GLctx.TRIANGLES, (count >> 2) * 6, GLctx.UNSIGNED_SHORT, 0);
        else GLctx.drawArrays(primitive, 0, count);
      });
    },

    vertex: function(x, y, z) {
      var v = GL11.vertices, n = GL11.count * GL11.stride;
      if (n + GL11.stride > v.length) {
        GL11.vertices = new Float32Array(v.length * 2);
        GL11.vertices.set(v);
        v = GL11.vertices;
      }
      var c = GL11.current;
      v[n] = x; v[n + 1] = y; v[n + 2] = z;
      v[n + 3] = c.normal[0]; v[n + 4] = c.normal[1]; v[n + 5] = c.normal[2];
      v[n + 6] = c.tex[0]; v[n + 7] = c.tex[1];
      v[n + 8] = c.colour[0]; v[n + 9] = c.colour[1];
      v[n + 10] = c.colour[2]; v[n + 11] = c.colour[3];
      ++GL11.count;
    },

    // The readout's characters, 5 x 7 dots in the 8 x 13 cell, rows from the
    // top, the highest bit leftmost.
    glyphs: {
      '0': [14, 17, 19, 21, 25, 17, 14], '1': [4, 12, 4, 4, 4, 4, 14],
      '2': [14, 17, 1, 2, 4, 8, 31], '3': [31, 2, 4, 2, 1, 17, 14],
      '4': [2, 6, 10, 18, 31, 2, 2], '5': [31, 16, 30, 1, 1, 17, 14],
      '6': [6, 8, 16, 30, 17, 17, 14], '7': [31, 1, 2, 4, 8, 8, 8],
      '8': [14, 17, 17, 14, 17, 17, 14], '9': [14, 17, 17, 15, 1, 2, 12],
      '.': [0, 0, 0, 0, 0, 12, 12], '-': [0, 0, 0, 31, 0, 0, 0],
      'a': [0, 0, 14, 1, 15, 17, 15], 'f': [6, 9, 8, 28, 8, 8, 8],
      'i': [4, 0, 12, 4, 4, 4, 14], 'n': [0, 0, 22, 25, 17, 17, 17],
    },
    glyphTexture: null,
    glyphOrder: '0123456789.-afin',
  },

  glEnable__deps: ['$GL11'],
  glEnable: function(cap) {
    switch (cap) {
      case 0x0B50: GL11.lighting = true; break; // GL_LIGHTING
      case 0x0DE1: GL11.texturing = true; break; // GL_TEXTURE_2D
      case 0x0BC0: GL11.alphaTest = true; break; // GL_ALPHA_TEST
      // One light, always with colour material; normals are always
      // normalised.
      case 0x4000: case 0x0B57: case 0x0BA1: break;
      default: GLctx.enable(cap);
    }
  },

  glDisable__deps: ['$GL11'],
  glDisable: function(cap) {
    switch (cap) {
      case 0x0B50: GL11.lighting = false; break;
      case 0x0DE1: GL11.texturing = false; break;
      case 0x0BC0: GL11.alphaTest = false; break;
      case 0x4000: case 0x0B57: case 0x0BA1: break;
      default: GLctx.disable(cap);
    }
  },

  glBindTexture__deps: ['$GL11'],
  glBindTexture: function(target, texture) {
    GL11.texture = texture;
    GLctx.bindTexture(target, GL.textures[texture] || null);
  },

  // RGBA images go up as they are; intensity images (one byte, read as
  // colour and alpha alike) become luminance-alpha, which WebGL has.
  glTexImage2D__deps: ['$GL11'],
  glTexImage2D: function(target, level, internalFormat, width, height, border, format, type,
                         pixels) {
    var n = width * height;
    if (format == 0x1909 /* GL_LUMINANCE */) {
      var la = new Uint8Array(2 * n);
      for (var i = 0; i < n; ++i) la[2 * i] = la[2 * i + 1] = HEAPU8[pixels + i];
      GLctx.texImage2D(target, level, GLctx.LUMINANCE_ALPHA, width, height, 0,
                       GLctx.LUMINANCE_ALPHA, GLctx.UNSIGNED_BYTE, la);
    } else {
      GLctx.texImage2D(target, level, GLctx.RGBA, width, height, 0, GLctx.RGBA,
                       GLctx.UNSIGNED_BYTE, HEAPU8.subarray(pixels, pixels + 4 * n));
    }
  },

  // The game's viewport, kept for when the picture is shown whole.
  glViewport__deps: ['$GL11'],
  glViewport: function(x, y, width, height) {
    GL11.viewport = [x, y, width, height];
    if (!GL11.regions) GLctx.viewport(x, y, width, height);
  },
  glClear__deps: ['$GL11'],
  glClear: function(mask) {
    if (GL11.regions) GLctx.disable(GLctx.SCISSOR_TEST);
    GLctx.clear(mask);
    if (GL11.regions) GLctx.enable(GLctx.SCISSOR_TEST);
  },

  glTexEnvf: function(target, pname, param) {}, // modulate is the only mode drawn with
  glShadeModel: function(mode) {}, // always smooth
  glColorMaterial: function(face, mode) {}, // always the front's ambient and diffuse

  glAlphaFunc__deps: ['$GL11'],
  glAlphaFunc: function(func, ref) { GL11.alphaRef = ref; }, // always GL_GREATER

  glLightfv__deps: ['$GL11'],
  glLightfv: function(light, pname, params) {
    GL11.init();
    var v = [0, 1, 2, 3].map(function(k) { return HEAPF32[(params >> 2) + k]; });
    if (pname == 0x1200) GL11.lightAmbient = v.slice(0, 3); // GL_AMBIENT
    else if (pname == 0x1201) GL11.lightDiffuse = v.slice(0, 3); // GL_DIFFUSE
    else if (pname == 0x1203) // GL_POSITION, kept in eye coordinates
      GL11.lightPosition = GL11.transform(GL11.top(GL11.modelView), v);
  },

  glMatrixMode__deps: ['$GL11'],
  glMatrixMode: function(mode) {
    GL11.init();
    GL11.stack = mode == 0x1701 /* GL_PROJECTION */ ? GL11.projection : GL11.modelView;
  },
  glLoadIdentity__deps: ['$GL11'],
  glLoadIdentity: function() {
    GL11.init();
    GL11.stack[GL11.stack.length - 1] = GL11.identity();
  },
  glPushMatrix__deps: ['$GL11'],
  glPushMatrix: function() { GL11.stack.push(GL11.top(GL11.stack)); },
  glPopMatrix__deps: ['$GL11'],
  glPopMatrix: function() { if (GL11.stack.length > 1) GL11.stack.pop(); },
  glTranslated__deps: ['$GL11'],
  glTranslated: function(x, y, z) {
    GL11.multiply([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1]);
  },
  glScaled__deps: ['$GL11'],
  glScaled: function(x, y, z) {
    GL11.multiply([x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1]);
  },
  glFrustum__deps: ['$GL11'],
  glFrustum: function(l, r, b, t, n, f) {
    GL11.multiply([2 * n / (r - l), 0, 0, 0, 0, 2 * n / (t - b), 0, 0,
                   (r + l) / (r - l), (t + b) / (t - b), -(f + n) / (f - n), -1,
                   0, 0, -2 * f * n / (f - n), 0]);
  },
  gluOrtho2D__deps: ['$GL11'],
  gluOrtho2D: function(l, r, b, t) {
    GL11.multiply([2 / (r - l), 0, 0, 0, 0, 2 / (t - b), 0, 0, 0, 0, -1, 0,
                   -(r + l) / (r - l), -(t + b) / (t - b), 0, 1]);
  },

  glColor3f__deps: ['$GL11'],
  glColor3f: function(r, g, b) { GL11.current.colour = [r, g, b, 1]; },
  glColor4f__deps: ['$GL11'],
  glColor4f: function(r, g, b, a) { GL11.current.colour = [r, g, b, a]; },
  glColor4fv__deps: ['$GL11'],
  glColor4fv: function(p) {
    GL11.current.colour = Array.prototype.slice.call(HEAPF32.subarray(p >> 2, (p >> 2) + 4));
  },
  glNormal3f__deps: ['$GL11'],
  glNormal3f: function(x, y, z) { GL11.current.normal = [x, y, z]; },
  glNormal3d__deps: ['$GL11'],
  glNormal3d: function(x, y, z) { GL11.current.normal = [x, y, z]; },
  glNormal3fv__deps: ['$GL11'],
  glNormal3fv: function(p) {
    GL11.current.normal = [HEAPF32[p >> 2], HEAPF32[(p >> 2) + 1], HEAPF32[(p >> 2) + 2]];
  },
  glTexCoord2d__deps: ['$GL11'],
  glTexCoord2d: function(s, t) { GL11.current.tex = [s, t]; },
  glTexCoord2fv__deps: ['$GL11'],
  glTexCoord2fv: function(p) { GL11.current.tex = [HEAPF32[p >> 2], HEAPF32[(p >> 2) + 1]]; },
  glVertex2d__deps: ['$GL11'],
  glVertex2d: function(x, y) { GL11.vertex(x, y, 0); },
  glVertex3d__deps: ['$GL11'],
  glVertex3d: function(x, y, z) { GL11.vertex(x, y, z); },
  glVertex3fv__deps: ['$GL11'],
  glVertex3fv: function(p) {
    GL11.vertex(HEAPF32[p >> 2], HEAPF32[(p >> 2) + 1], HEAPF32[(p >> 2) + 2]);
  },

  glBegin__deps: ['$GL11'],
  glBegin: function(mode) {
    GL11.init();
    GL11.primitive = mode;
    GL11.count = 0;
  },

  glEnd__deps: ['$GL11'],
  glEnd: function() {
    var data = GL11.vertices.subarray(0, GL11.count * GL11.stride);
    var list = GL11.lists[GL11.compiling];
    if (list) {
      // A list keeps its geometry in a buffer of its own; its colour is the
      // one current when it is called.
      list.primitive = GL11.primitive;
      list.count = GL11.count;
      list.buffer = GLctx.createBuffer();
      GLctx.bindBuffer(GLctx.ARRAY_BUFFER, list.buffer);
      GLctx.bufferData(GLctx.ARRAY_BUFFER, data, GLctx.STATIC_DRAW);
      list.last = Array.prototype.slice.call(data, data.length - GL11.stride);
    } else if (GL11.count > 0) {
      GLctx.bindBuffer(GLctx.ARRAY_BUFFER, GL11.buffer);
      GLctx.bufferData(GLctx.ARRAY_BUFFER, data, GLctx.STREAM_DRAW);
      GL11.draw(GL11.primitive, GL11.buffer, GL11.count);
    }
    GL11.primitive = -1;
  },

  glGenLists__deps: ['$GL11'],
  glGenLists: function(range) {
    var first = GL11.lists.length;
    for (var i = 0; i < range; ++i) GL11.lists.push({count: 0});
    return first;
  },
  glNewList__deps: ['$GL11'],
  glNewList: function(list, mode) { GL11.compiling = list; },
  glEndList__deps: ['$GL11'],
  glEndList: function() { GL11.compiling = 0; },

  glCallList__deps: ['$GL11'],
  glCallList: function(name) {
    var list = GL11.lists[name];
    if (!list || !list.count) return;
    var c = GL11.current.colour;
    GLctx.disableVertexAttribArray(3);
    GLctx.vertexAttrib4f(3, c[0], c[1], c[2], c[3]);
    GL11.draw(list.primitive, list.buffer, list.count);
    GLctx.enableVertexAttribArray(3);
    // As in GL, the list leaves its last normal and texture coordinate current.
    GL11.current.normal = list.last.slice(3, 6);
    GL11.current.tex = list.last.slice(6, 8);
  },

  glRasterPos2i__deps: ['$GL11'],
  glRasterPos2i: function(x, y) {
    var eye = GL11.transform(GL11.top(GL11.modelView), [x, y, 0, 1]);
    var clip = GL11.transform(GL11.top(GL11.projection), eye);
    var c = GL11.current.colour;
    GL11.rasterPosition = [clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3]];
    GL11.rasterColour = c.map(function(k) { return Math.min(Math.max(k, 0), 1); });
  },

  // Draws the character's dots at the raster position as one textured quad
  // from a small sheet of the readout's characters, then moves it on 8
  // pixels. Other characters only move it.
  glutBitmapCharacter__deps: ['$GL11'],
  glutBitmapCharacter: function(font, character) {
    var p = GL11.rasterPosition, k = GL11.glyphOrder.indexOf(String.fromCharCode(character));
    if (!p) return;
    var dx = 2 / GL11.viewport[2], dy = 2 / GL11.viewport[3];
    if (k >= 0) {
      if (!GL11.glyphTexture) {
        // 16 cells of 8 x 8 texels side by side, rows from the bottom.
        var sheet = new Uint8Array(2 * 128 * 8);
        GL11.glyphOrder.split('').forEach(function(ch, cell) {
          GL11.glyphs[ch].forEach(function(bits, row) {
            for (var b = 0; b < 5; ++b)
              if (bits & (16 >> b)) {
                var i = (7 - row) * 128 + cell * 8 + 1 + b;
                sheet[2 * i] = sheet[2 * i + 1] = 255;
              }
          });
        });
        GL11.glyphTexture = GLctx.createTexture();
        GLctx.bindTexture(GLctx.TEXTURE_2D, GL11.glyphTexture);
        GLctx.pixelStorei(GLctx.UNPACK_ALIGNMENT, 1);
        GLctx.texImage2D(GLctx.TEXTURE_2D, 0, GLctx.LUMINANCE_ALPHA, 128, 8, 0,
                         GLctx.LUMINANCE_ALPHA, GLctx.UNSIGNED_BYTE, sheet);
        GLctx.texParameteri(GLctx.TEXTURE_2D, GLctx.TEXTURE_MIN_FILTER, GLctx.NEAREST);
        GLctx.texParameteri(GLctx.TEXTURE_2D, GLctx.TEXTURE_MAG_FILTER, GLctx.NEAREST);
      } else {
        GLctx.bindTexture(GLctx.TEXTURE_2D, GL11.glyphTexture);
      }
      // The dots stand 2 pixels above the raster position, as the cell's
      // baseline does.
      var x0 = p[0], y0 = p[1] + 2 * dy, x1 = x0 + 8 * dx, y1 = y0 + 8 * dy, z = p[2];
      var u0 = k / 16, u1 = (k + 1) / 16, c = GL11.rasterColour;
      var quad = [[x0, y0, u0, 0], [x1, y0, u1, 0], [x1, y1, u1, 1], [x0, y1, u0, 1]];
      var data = new Float32Array(4 * GL11.stride);
      quad.forEach(function(q, i) {
        data.set([q[0], q[1], z, 0, 0, 1, q[2], q[3], c[0], c[1], c[2], c[3]], i * GL11.stride);
      });
      GLctx.useProgram(GL11.program);
      GLctx.bindBuffer(GLctx.ARRAY_BUFFER, GL11.buffer);
      GLctx.bufferData(GLctx.ARRAY_BUFFER, data, GLctx.STREAM_DRAW);
      GL11.attributes();
      var saved = GL11.texture;
      GL11.texture = -1;
      GL11.uniforms(GL11.identity(), GL11.identity(), false, true);
      GL11.texture = saved;
      GLctx.bindBuffer(GLctx.ELEMENT_ARRAY_BUFFER, GL11.quadIndices);
      GL11.eachRegion(GL11.identity(), function() {
        GLctx.drawElements(GLctx.TRIANGLES, 6, GLctx.UNSIGNED_SHORT, 0);
      });
      GLctx.bindTexture(GLctx.TEXTURE_2D, GL.textures[saved] || null);
    }
    p[0] += 8 * dx;
  },
};

mergeInto(LibraryManager.library, LibraryGL11);
