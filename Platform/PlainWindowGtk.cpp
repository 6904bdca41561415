// PlainWindowGtk.cpp - the plain window on GTK 3 (see PlainWindow.h).
//
// A GtkWindow holds a GtkFixed, on which each control's widget sits at its
// place with its size requested. Signal handlers only queue events on the
// window's record; the owner takes them with PlainWindowNextEvent. Texts are
// converted CP1252 <-> UTF-8 here. GTK is started on the first window.
#include <gtk/gtk.h>
#include <gdk/gdkx.h>

#include <algorithm>
#include <string>

#include "Platform/Cp1252.h"
#include "Platform/Dialogs.h"
#include "Platform/DisplayLoss.h"
#include "Platform/PlainWindowLocal.h"
#include "Platform/Time.h"

namespace {

int GtkMessageBox(const char* utf8Text, const char* utf8Caption, UINT type);

constexpr int kEscape = 27;
constexpr double kDrawWaitSeconds = 3.0;
constexpr const char* kIndexKey = "plain-control";
constexpr const char* kDrawnKey = "plain-drawn";

// The dialogs' compact look (windows with the style class below): the
// theme's paddings would make buttons and lists taller than the rectangles a
// dialog laid out for a small font gives them.
constexpr const char* kCompactClass = "plain-compact";
constexpr const char* kCompactCss =
    ".plain-compact button { padding: 1px 6px; min-height: 0; min-width: 0; }"
    ".plain-compact combobox button { padding: 0px 4px; }"
    ".plain-compact combobox arrow { min-height: 0; min-width: 12px; }"
    // A change shows at once: the theme's fades would show a list that has
    // just been filled as still disabled for a moment.
    ".plain-compact * { transition: none; }";

bool StartGtk() {
  static int started = -1;
  if (started < 0) {
    // The game writes numbers into its files and requests with the C
    // locale's decimal point; GTK would switch the process to the user's
    // locale ("4,820" in German).
    gtk_disable_setlocale();
    started = gtk_init_check(nullptr, nullptr) ? 1 : 0;
    // GTK puts error handlers of its own in Xlib's slots; its connection's
    // protocol errors stay GTK's.
    GdkDisplay* display = started == 1 ? gdk_display_get_default() : nullptr;
    if (display && GDK_IS_X11_DISPLAY(display))
      PlatformLeaveDisplayErrorsToGtk(GDK_DISPLAY_XDISPLAY(display));
    else
      PlatformWatchDisplayLoss();
    if (started == 1) {
      GtkCssProvider* css = gtk_css_provider_new();
      gtk_css_provider_load_from_data(css, kCompactCss, -1, nullptr);
      gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                                GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
      g_object_unref(css);
      // Before the game's window exists, message boxes look like the
      // windows they follow (and need no X core fonts, as SDL's do).
      PlatformDialogsUseWindowBox(GtkMessageBox);
    }
  }
  return started == 1;
}

// A modal box of its own, centred on the screen; IDOK, IDYES or IDNO. The
// close box gives the Escape answer (OK, No).
int GtkMessageBox(const char* utf8Text, const char* utf8Caption, UINT type) {
  if (!StartGtk()) return 0;
  const bool yesNo = (type & 0xF) == MB_YESNO;
  GtkMessageType kind = GTK_MESSAGE_INFO;
  if ((type & 0xF0) == MB_ICONERROR) kind = GTK_MESSAGE_ERROR;
  if ((type & 0xF0) == MB_ICONWARNING) kind = GTK_MESSAGE_WARNING;
  GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, kind, yesNo ? GTK_BUTTONS_YES_NO : GTK_BUTTONS_OK,
                                          "%s", utf8Text ? utf8Text : "");
  gtk_window_set_title(GTK_WINDOW(box), utf8Caption ? utf8Caption : "");
  gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  gtk_dialog_set_default_response(GTK_DIALOG(box), yesNo ? GTK_RESPONSE_YES : GTK_RESPONSE_OK);
  const int response = gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
  PlainGtkPump();  // the box leaves the screen before whatever follows
  if (response == GTK_RESPONSE_YES) return IDYES;
  if (response == GTK_RESPONSE_NO) return IDNO;
  return yesNo ? IDNO : IDOK;
}

PlainControl& ControlAt(PlainWindow* window, int index) { return window->controls[static_cast<std::size_t>(index)]; }
const PlainControl& ControlAt(const PlainWindow* window, int index) {
  return window->controls[static_cast<std::size_t>(index)];
}

// Runs fn with the window's own signal handlers on the widget blocked, so
// that what the program sets is not reported as the user's doing.
template <typename Fn>
void Quietly(PlainWindow* window, GtkWidget* widget, Fn fn) {
  g_signal_handlers_block_matched(widget, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, window);
  fn();
  g_signal_handlers_unblock_matched(widget, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, window);
}

int IndexOf(GtkWidget* widget) { return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), kIndexKey)); }

void Queue(PlainWindow* window, int kind, int control, int value) {
  window->events.push_back({kind, control, value});
}

// ---- Signal handlers --------------------------------------------------------------------

void OnClicked(GtkWidget* widget, gpointer data) {
  Queue(static_cast<PlainWindow*>(data), kPlainEventClicked, IndexOf(widget), 0);
}

void OnChanged(GtkComboBox* combo, gpointer data) {
  Queue(static_cast<PlainWindow*>(data), kPlainEventSelectionChanged, IndexOf(GTK_WIDGET(combo)),
        gtk_combo_box_get_active(combo));
}

gboolean OnKeyReleased(GtkWidget*, GdkEventKey* key, gpointer data) {
  if (key->keyval != GDK_KEY_Escape) return FALSE;
  Queue(static_cast<PlainWindow*>(data), kPlainEventKeyReleased, -1, kEscape);
  return TRUE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  Queue(static_cast<PlainWindow*>(data), kPlainEventCloseAsked, -1, 0);
  return TRUE;  // the owner decides; the window stays until it is destroyed
}

gboolean OnDrawn(GtkWidget* widget, cairo_t*, gpointer) {
  g_object_set_data(G_OBJECT(widget), kDrawnKey, GINT_TO_POINTER(1));
  return FALSE;
}

// The label inside a button or frame, or the widget itself when it is one.
GtkLabel* LabelOf(GtkWidget* widget) {
  if (GTK_IS_LABEL(widget)) return GTK_LABEL(widget);
  if (GTK_IS_FRAME(widget)) {
    GtkWidget* label = gtk_frame_get_label_widget(GTK_FRAME(widget));
    return label && GTK_IS_LABEL(label) ? GTK_LABEL(label) : nullptr;
  }
  if (GTK_IS_BIN(widget)) {
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(widget));
    return child && GTK_IS_LABEL(child) ? GTK_LABEL(child) : nullptr;
  }
  return nullptr;
}

GtkWidget* MakeWidget(PlainWindow* window, PlainControl& control, const std::string& text) {
  switch (control.kind) {
    case kPlainGroupBox:
      return gtk_frame_new(text.c_str());
    case kPlainStaticText: {
      GtkWidget* label = gtk_label_new(text.c_str());
      gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
      gtk_label_set_yalign(GTK_LABEL(label), 0.5f);
      gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
      return label;
    }
    case kPlainPushButton: {
      GtkWidget* button = gtk_button_new_with_label(text.c_str());
      g_signal_connect(button, "clicked", G_CALLBACK(OnClicked), window);
      return button;
    }
    case kPlainRadioButton: {
      // The owner keeps the marks of its groups, so each button is in a GTK
      // group of its own with a hidden partner: a radio button alone could
      // not be unmarked, but marking the partner unmarks it.
      GtkWidget* partner = gtk_radio_button_new(nullptr);
      g_object_ref_sink(partner);
      control.partner = partner;
      GtkWidget* radio = gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(partner), text.c_str());
      g_signal_connect(radio, "clicked", G_CALLBACK(OnClicked), window);
      return radio;
    }
    case kPlainDropDown: {
      GtkWidget* combo = gtk_combo_box_text_new();
      // A long entry is cut with "..." rather than widening the list over
      // its neighbours.
      GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(combo));
      for (GList* cell = cells; cell; cell = cell->next) {
        if (GTK_IS_CELL_RENDERER_TEXT(cell->data)) g_object_set(cell->data, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
      }
      g_list_free(cells);
      g_signal_connect(combo, "changed", G_CALLBACK(OnChanged), window);
      return combo;
    }
    case kPlainPicture:
      return gtk_image_new();
    default:
      return nullptr;
  }
}

}  // namespace

bool PlainGtkCreate(PlainWindow* window, const char* title, int x, int y, std::uint8_t red, std::uint8_t green,
                    std::uint8_t blue) {
  if (!StartGtk()) return false;
  GtkWidget* top = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(top), Cp1252ToUtf8(title).c_str());
  gtk_window_set_default_size(GTK_WINDOW(top), window->width, window->height);
  if (x < 0 || y < 0) {
    // Kept centred: a dialog is laid out once more at its final size.
    gtk_window_set_position(GTK_WINDOW(top), GTK_WIN_POS_CENTER_ALWAYS);
  } else {
    gtk_window_move(GTK_WINDOW(top), x, y);
  }
  gtk_widget_set_name(top, "plain-window");
  GtkCssProvider* css = gtk_css_provider_new();
  const std::string rule = "#plain-window { background-color: rgb(" + std::to_string(red) + "," +
                           std::to_string(green) + "," + std::to_string(blue) + "); }";
  gtk_css_provider_load_from_data(css, rule.c_str(), -1, nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(top), GTK_STYLE_PROVIDER(css),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);
  GtkWidget* fixed = gtk_fixed_new();
  gtk_widget_set_size_request(fixed, window->width, window->height);
  gtk_container_add(GTK_CONTAINER(top), fixed);
  g_signal_connect(top, "key-release-event", G_CALLBACK(OnKeyReleased), window);
  g_signal_connect(top, "delete-event", G_CALLBACK(OnDelete), window);
  g_signal_connect_after(top, "draw", G_CALLBACK(OnDrawn), nullptr);
  if (window->shown) {
    gtk_widget_show_all(top);
  } else {
    gtk_widget_show(fixed);
  }
  window->gtkWindow = top;
  window->gtkFixed = fixed;
  PlainGtkPump();
  return true;
}

void PlainGtkDestroy(PlainWindow* window) {
  if (!window->gtkWindow) return;
  // Handlers must not queue onto a record that is about to go.
  g_signal_handlers_disconnect_matched(window->gtkWindow, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, window);
  for (PlainControl& control : window->controls) {
    if (control.widget) {
      g_signal_handlers_disconnect_matched(control.widget, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, window);
    }
    if (control.partner) {
      gtk_widget_destroy(control.partner);
      g_object_unref(control.partner);
      control.partner = nullptr;
    }
  }
  gtk_widget_destroy(window->gtkWindow);
  window->gtkWindow = nullptr;
  window->gtkFixed = nullptr;
  PlainGtkPump();
}

bool PlainGtkAddControl(PlainWindow* window, int index, int x, int y, int width, int height) {
  PlainControl& control = window->controls[static_cast<std::size_t>(index)];
  const std::string text = Cp1252ToUtf8(control.text.c_str());
  GtkWidget* placed;
  if (control.kind == kPlainEdit) {
    GtkWidget* view = gtk_text_view_new();
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_NONE);
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), text.c_str(), -1);
    placed = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(placed), GTK_POLICY_ALWAYS, GTK_POLICY_ALWAYS);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(placed), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(placed), view);
    control.widget = view;
  } else if (control.kind == kPlainSunkenText) {
    GtkWidget* label = gtk_label_new(text.c_str());
    gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
    placed = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(placed), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(placed), label);
    control.widget = label;
  } else {
    placed = MakeWidget(window, control, text);
    if (!placed) return false;
    control.widget = placed;
  }
  control.placed = placed;
  g_object_set_data(G_OBJECT(control.widget), kIndexKey, GINT_TO_POINTER(index));
  gtk_widget_set_size_request(placed, std::max(width, 1), std::max(height, 1));
  gtk_fixed_put(GTK_FIXED(window->gtkFixed), placed, x, y);
  gtk_widget_show_all(placed);
  PlainGtkPump();
  return true;
}

void PlainGtkShowText(PlainWindow* window, int index) {
  PlainControl& control = window->controls[static_cast<std::size_t>(index)];
  const std::string text = Cp1252ToUtf8(control.text.c_str());
  GtkWidget* widget = control.widget;
  if (control.kind == kPlainEdit) {
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(widget)), text.c_str(), -1);
  } else if (control.kind == kPlainGroupBox) {
    gtk_frame_set_label(GTK_FRAME(widget), text.c_str());
    PlainGtkShowAlignment(window, index);
  } else if (GtkLabel* label = LabelOf(widget)) {
    gtk_label_set_text(label, text.c_str());
  }
  PlainGtkPump();
}

std::string PlainGtkReadText(const PlainWindow* window, int index) {
  const PlainControl& control = window->controls[static_cast<std::size_t>(index)];
  if (control.kind == kPlainEdit) {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(control.widget));
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
    std::string converted = Utf8ToCp1252(text);
    g_free(text);
    return converted;
  }
  return control.text;
}

void PlainGtkShowAlignment(PlainWindow* window, int index) {
  const PlainControl& control = window->controls[static_cast<std::size_t>(index)];
  const float x = control.alignment == 1 ? 0.5f : control.alignment == 2 ? 1.0f : 0.0f;
  const GtkJustification justify = control.alignment == 1   ? GTK_JUSTIFY_CENTER
                                   : control.alignment == 2 ? GTK_JUSTIFY_RIGHT
                                                            : GTK_JUSTIFY_LEFT;
  if (control.kind == kPlainEdit) {
    gtk_text_view_set_justification(GTK_TEXT_VIEW(control.widget), justify);
  } else if (control.kind == kPlainGroupBox) {
    gtk_frame_set_label_align(GTK_FRAME(control.widget), x, 0.5f);
  } else if (GtkLabel* label = LabelOf(control.widget)) {
    gtk_label_set_xalign(label, x);
    gtk_label_set_justify(label, justify);
  }
  PlainGtkPump();
}

void PlainGtkShowChecked(PlainWindow* window, int index) {
  const PlainControl& control = window->controls[static_cast<std::size_t>(index)];
  Quietly(window, control.widget, [&] {
    GtkWidget* marked = control.checked || !control.partner ? control.widget : control.partner;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(marked), TRUE);
  });
}

void PlainGtkAddItem(PlainWindow* window, int index, const char* text) {
  const PlainControl& control = window->controls[static_cast<std::size_t>(index)];
  Quietly(window, control.widget, [&] {
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(control.widget), Cp1252ToUtf8(text).c_str());
  });
}

int PlainGtkReadSelection(const PlainWindow* window, int index) {
  return gtk_combo_box_get_active(GTK_COMBO_BOX(window->controls[static_cast<std::size_t>(index)].widget));
}

void PlainGtkClick(PlainWindow* window, int index) {
  GtkWidget* widget = window->controls[static_cast<std::size_t>(index)].widget;
  if (GTK_IS_BUTTON(widget)) gtk_button_clicked(GTK_BUTTON(widget));
  PlainGtkPump();
}

void PlainGtkSelect(PlainWindow* window, int index, int item) {
  GtkWidget* widget = window->controls[static_cast<std::size_t>(index)].widget;
  if (GTK_IS_COMBO_BOX(widget)) gtk_combo_box_set_active(GTK_COMBO_BOX(widget), item);
  PlainGtkPump();
}

void PlainGtkSetTitle(PlainWindow* window, const char* title) {
  if (window->gtkWindow) gtk_window_set_title(GTK_WINDOW(window->gtkWindow), Cp1252ToUtf8(title).c_str());
}

void PlainGtkUseCompactLook(PlainWindow* window) {
  if (window->gtkWindow) gtk_style_context_add_class(gtk_widget_get_style_context(window->gtkWindow), kCompactClass);
}

// True when GTK has laid the window out as the record asks: the content at
// its size and every shown control at its place.
static bool LaidOut(const PlainWindow* window) {
  if (gtk_widget_get_allocated_width(window->gtkFixed) != window->width ||
      gtk_widget_get_allocated_height(window->gtkFixed) != window->height) {
    return false;
  }
  for (const PlainControl& control : window->controls) {
    if (!control.visible || !control.placed) continue;
    GtkAllocation at;
    gtk_widget_get_allocation(control.placed, &at);
    if (at.x != control.x || at.y != control.y) return false;
  }
  return true;
}

// Lets GTK lay the window out after a change of size or places (bounded).
// A hidden window is laid out when it is shown.
static void Settle(PlainWindow* window) {
  if (!window->shown) return;
  const double until = PlatformTimeNow() + kDrawWaitSeconds;
  PlainGtkPump();
  while (!LaidOut(window) && PlatformTimeNow() < until) {
    g_usleep(2000);
    PlainGtkPump();
  }
}

void PlainGtkShow(PlainWindow* window) {
  gtk_widget_show(window->gtkWindow);
  Settle(window);
}

void PlainGtkResize(PlainWindow* window) {
  gtk_widget_set_size_request(window->gtkFixed, window->width, window->height);
  gtk_window_resize(GTK_WINDOW(window->gtkWindow), window->width, window->height);
  Settle(window);
}

void PlainGtkShowSelection(PlainWindow* window, int index) {
  const PlainControl& control = ControlAt(window, index);
  Quietly(window, control.widget,
          [&] { gtk_combo_box_set_active(GTK_COMBO_BOX(control.widget), control.selection); });
}

void PlainGtkClearItems(PlainWindow* window, int index) {
  const PlainControl& control = ControlAt(window, index);
  Quietly(window, control.widget, [&] { gtk_combo_box_text_remove_all(GTK_COMBO_BOX_TEXT(control.widget)); });
}

void PlainGtkShowEnabled(PlainWindow* window, int index) {
  const PlainControl& control = ControlAt(window, index);
  gtk_widget_set_sensitive(control.placed, control.enabled);
}

void PlainGtkShowVisible(PlainWindow* window, int index) {
  const PlainControl& control = ControlAt(window, index);
  gtk_widget_set_visible(control.placed, control.visible);
}

void PlainGtkShowDefault(PlainWindow* window, int index) {
  const PlainControl& control = ControlAt(window, index);
  gtk_widget_set_can_default(control.widget, TRUE);
  gtk_window_set_default(GTK_WINDOW(window->gtkWindow), control.widget);
  gtk_widget_grab_focus(control.widget);
}

void PlainGtkShowPicture(PlainWindow* window, int index) {
  const PlainControl& control = ControlAt(window, index);
  if (control.picture.empty()) {
    gtk_image_clear(GTK_IMAGE(control.widget));
    return;
  }
  GdkPixbuf* pixels = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, control.pictureWidth, control.pictureHeight);
  if (!pixels) return;
  const int stride = gdk_pixbuf_get_rowstride(pixels);
  guchar* data = gdk_pixbuf_get_pixels(pixels);
  for (int row = 0; row < control.pictureHeight; ++row) {
    for (int column = 0; column < control.pictureWidth; ++column) {
      const std::uint32_t word =
          control.picture[static_cast<std::size_t>(row) * control.pictureWidth + static_cast<std::size_t>(column)];
      guchar* out = data + row * stride + column * 4;
      out[0] = static_cast<guchar>(word >> 16);
      out[1] = static_cast<guchar>(word >> 8);
      out[2] = static_cast<guchar>(word);
      out[3] = static_cast<guchar>(word >> 24);
    }
  }
  GdkPixbuf* scaled = gdk_pixbuf_scale_simple(pixels, std::max(control.width, 1), std::max(control.height, 1),
                                              GDK_INTERP_BILINEAR);
  g_object_unref(pixels);
  if (!scaled) return;
  gtk_image_set_from_pixbuf(GTK_IMAGE(control.widget), scaled);
  g_object_unref(scaled);
  PlainGtkPump();
}

void PlainGtkPictureSize(const PlainWindow* window, int index, int* width, int* height) {
  const PlainControl& control = ControlAt(window, index);
  *width = *height = 0;
  if (gtk_image_get_storage_type(GTK_IMAGE(control.widget)) != GTK_IMAGE_PIXBUF) return;
  GdkPixbuf* shown = gtk_image_get_pixbuf(GTK_IMAGE(control.widget));
  if (!shown) return;
  *width = gdk_pixbuf_get_width(shown);
  *height = gdk_pixbuf_get_height(shown);
}

void PlainGtkPlace(PlainWindow* window, int index) {
  const PlainControl& control = ControlAt(window, index);
  gtk_widget_set_size_request(control.placed, std::max(control.width, 1), std::max(control.height, 1));
  gtk_fixed_move(GTK_FIXED(window->gtkFixed), control.placed, control.x, control.y);
  if (control.kind == kPlainPicture) PlainGtkShowPicture(window, index);
  PlainGtkPump();
}

void PlainGtkMinimumSize(const PlainWindow* window, int index, int* width, int* height) {
  const PlainControl& control = ControlAt(window, index);
  GtkWidget* placed = control.placed;
  int askedWidth = -1, askedHeight = -1;
  gtk_widget_get_size_request(placed, &askedWidth, &askedHeight);
  gtk_widget_set_size_request(placed, -1, -1);
  int minimum = 0, natural = 0;
  gtk_widget_get_preferred_width(placed, &minimum, &natural);
  // Texts are measured whole (a label could be cut to "..."); lists and
  // boxes by their least size.
  const bool wholeText = control.kind == kPlainStaticText || control.kind == kPlainPushButton ||
                         control.kind == kPlainRadioButton || control.kind == kPlainSunkenText;
  *width = wholeText ? natural : minimum;
  gtk_widget_get_preferred_height_for_width(placed, *width, &minimum, &natural);
  *height = minimum;
  gtk_widget_set_size_request(placed, askedWidth, askedHeight);
}

void PlainGtkPlacement(const PlainWindow* window, int index, int* x, int* y, int* width, int* height) {
  const PlainControl& control = ControlAt(window, index);
  GtkAllocation allocation;
  Settle(const_cast<PlainWindow*>(window));
  gtk_widget_get_allocation(control.placed, &allocation);
  *x = allocation.x;
  *y = allocation.y;
  *width = allocation.width;
  *height = allocation.height;
}

void PlainGtkPump() {
  // Bounded: a busy window system never keeps the caller here.
  for (int i = 0; i < 200 && g_main_context_iteration(nullptr, FALSE); ++i) {
  }
}

bool PlainGtkCapture(PlainWindow* window, int* width, int* height, std::vector<std::uint8_t>* rgb) {
  GtkWidget* top = window->gtkWindow;
  if (!top) return false;
  gtk_widget_queue_draw(top);
  g_object_set_data(G_OBJECT(top), kDrawnKey, GINT_TO_POINTER(0));
  const double until = PlatformTimeNow() + kDrawWaitSeconds;
  while (!g_object_get_data(G_OBJECT(top), kDrawnKey) && PlatformTimeNow() < until) {
    PlainGtkPump();
    g_usleep(5000);
  }
  gdk_display_sync(gtk_widget_get_display(top));
  GdkWindow* surface = gtk_widget_get_window(top);
  if (!surface) return false;
  const int w = gdk_window_get_width(surface), h = gdk_window_get_height(surface);
  GdkPixbuf* pixels = gdk_pixbuf_get_from_window(surface, 0, 0, w, h);
  if (!pixels) return false;
  const int channels = gdk_pixbuf_get_n_channels(pixels);
  const int stride = gdk_pixbuf_get_rowstride(pixels);
  const guchar* data = gdk_pixbuf_get_pixels(pixels);
  rgb->assign(static_cast<std::size_t>(w) * h * 3, 0);
  for (int row = 0; row < h; ++row) {
    for (int column = 0; column < w; ++column) {
      const guchar* pixel = data + row * stride + column * channels;
      std::uint8_t* out = rgb->data() + (static_cast<std::size_t>(row) * w + column) * 3;
      out[0] = pixel[0];
      out[1] = pixel[1];
      out[2] = pixel[2];
    }
  }
  g_object_unref(pixels);
  *width = w;
  *height = h;
  return true;
}
