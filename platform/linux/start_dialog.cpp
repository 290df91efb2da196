#include "platform/linux/start_dialog.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// What the controls hold when the player starts.
struct StartDialogChoice {
  int resolution = 2;  // index into `resolutions`; -1 none
  bool depth16 = false;
  bool fullScreenTicked = false;
};

struct Resolution {
  const char* label;
  std::int32_t width;
  std::int32_t height;
};
constexpr Resolution resolutions[] = {
    {"640x480", 640, 480},     {"800x600", 800, 600},     {"1024x768", 1024, 768},
    {"1280x1024", 1280, 1024}, {"1600x1200", 1600, 1200},
};
constexpr int resolutionCount = sizeof(resolutions) / sizeof(resolutions[0]);
constexpr int titleWidth = 320, titleHeight = 165;

// The controls read when the player starts.
struct Controls {
  GtkWidget* resolution[resolutionCount];
  GtkWidget* depth16;
  GtkWidget* fullScreen;
};

bool isActive(GtkWidget* button) {
  return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(button)) != FALSE;
}

GtkWidget* titlePicture() {
  GtkWidget* frame = gtk_frame_new(nullptr);
  gtk_frame_set_shadow_type(GTK_FRAME(frame), GTK_SHADOW_IN);
  gtk_widget_set_halign(frame, GTK_ALIGN_CENTER);
  GdkPixbuf* picture = gdk_pixbuf_new_from_file(startDialogTitlePicture, nullptr);
  GtkWidget* image = picture ? gtk_image_new_from_pixbuf(picture) : gtk_image_new();
  if (picture) g_object_unref(picture);
  gtk_widget_set_size_request(image, titleWidth, titleHeight);
  gtk_container_add(GTK_CONTAINER(frame), image);
  return frame;
}

// A labelled frame around a column of radio buttons.
GtkWidget* groupBox(const char* label, GtkWidget** column) {
  GtkWidget* frame = gtk_frame_new(label);
  *column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 2);
  gtk_container_set_border_width(GTK_CONTAINER(*column), 6);
  gtk_container_add(GTK_CONTAINER(frame), *column);
  gtk_widget_set_valign(frame, GTK_ALIGN_START);
  return frame;
}

GtkWidget* addRadio(GtkWidget* column, GtkWidget* groupMember, const char* label) {
  GtkWidget* button = gtk_radio_button_new_with_label_from_widget(
      groupMember ? GTK_RADIO_BUTTON(groupMember) : nullptr, label);
  gtk_box_pack_start(GTK_BOX(column), button, FALSE, FALSE, 0);
  return button;
}

void respond(GtkWidget* button, gpointer dialog) {
  gtk_dialog_response(GTK_DIALOG(dialog),
                      GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), "response")));
}

GtkWidget* responseButton(GtkWidget* dialog, const char* label, GtkResponseType response) {
  GtkWidget* button = gtk_button_new_with_mnemonic(label);
  g_object_set_data(G_OBJECT(button), "response", GINT_TO_POINTER(response));
  g_signal_connect(button, "clicked", G_CALLBACK(respond), dialog);
  return button;
}

// The dialog's layout: the title picture above the resolutions, the depths
// (with the hidden full-screen box under them) and the two buttons.
GtkWidget* buildDialog(Controls& controls) {
  GtkWidget* dialog = gtk_dialog_new();
  gtk_window_set_title(GTK_WINDOW(dialog), "Brakmoor");
  gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);

  GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
  gtk_box_set_spacing(GTK_BOX(content), 8);
  gtk_box_pack_start(GTK_BOX(content), titlePicture(), FALSE, FALSE, 0);
  GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 12);
  gtk_container_set_border_width(GTK_CONTAINER(row), 6);
  gtk_box_pack_start(GTK_BOX(content), row, FALSE, FALSE, 0);

  GtkWidget* column = nullptr;
  gtk_box_pack_start(GTK_BOX(row), groupBox("Aufl\xC3\xB6sung: ", &column), FALSE, FALSE, 0);
  for (int i = 0; i < resolutionCount; ++i) {
    controls.resolution[i] = addRadio(column, i ? controls.resolution[0] : nullptr, resolutions[i].label);
  }

  GtkWidget* middle = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  gtk_box_pack_start(GTK_BOX(row), middle, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(middle), groupBox("Farbtiefe: ", &column), FALSE, FALSE, 0);
  controls.depth16 = addRadio(column, nullptr, "16bpp");
  GtkWidget* depth32 = addRadio(column, controls.depth16, "32bpp");
  // Hidden and never ticked, so the game starts windowed.
  controls.fullScreen = gtk_check_button_new_with_mnemonic("_Vollbildmodus");
  gtk_widget_set_no_show_all(controls.fullScreen, TRUE);
  gtk_box_pack_start(GTK_BOX(middle), controls.fullScreen, FALSE, FALSE, 0);

  GtkWidget* buttons = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
  gtk_box_pack_end(GTK_BOX(row), buttons, FALSE, FALSE, 0);
  GtkWidget* start = responseButton(dialog, "_Spiel starten", GTK_RESPONSE_OK);
  gtk_box_pack_start(GTK_BOX(buttons), start, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(buttons), responseButton(dialog, "_Beenden", GTK_RESPONSE_CANCEL),
                     FALSE, FALSE, 0);

  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(controls.resolution[2]), TRUE);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(depth32), TRUE);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(controls.fullScreen), FALSE);

  // Enter starts; Escape (the dialog's own key) closes it as a cancel.
  gtk_widget_set_can_default(start, TRUE);
  gtk_window_set_default(GTK_WINDOW(dialog), start);
  gtk_widget_show_all(dialog);
  gtk_widget_grab_focus(start);
  return dialog;
}

StartDialogChoice readControls(const Controls& controls) {
  StartDialogChoice choice;
  choice.fullScreenTicked = isActive(controls.fullScreen);
  choice.depth16 = isActive(controls.depth16);
  choice.resolution = -1;
  for (int i = 0; i < resolutionCount; ++i) {
    if (isActive(controls.resolution[i])) choice.resolution = i;
  }
  return choice;
}

// False when the player cancelled.
bool runDialog(StartDialogChoice& choice) {
  Controls controls{};
  GtkWidget* dialog = buildDialog(controls);
  const bool started = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK;
  if (started) choice = readControls(controls);
  gtk_widget_destroy(dialog);
  // Let the window really disappear before the game's own opens.
  while (gtk_events_pending()) gtk_main_iteration();
  return started;
}

// An unticked full-screen box makes the game windowed; with no resolution
// selected the settings keep their own.
void applyStartDialogChoice(const StartDialogChoice& choice, WindowSettings& settings) {
  if (!choice.fullScreenTicked) settings.fullScreen = 0;
  settings.bitsPerPixel = choice.depth16 ? 16 : 32;
  if (choice.resolution >= 0 && choice.resolution < resolutionCount) {
    settings.width = resolutions[choice.resolution].width;
    settings.height = resolutions[choice.resolution].height;
  }
}

// False for "cancel"; text naming no offered choice leaves the defaults.
bool readScriptedChoice(const char* text, StartDialogChoice& choice) {
  if (std::strcmp(text, "cancel") == 0) return false;
  int width = 0, height = 0, depth = 0;
  char extra = 0;
  if (std::sscanf(text, "%dx%dx%d%c", &width, &height, &depth, &extra) == 3 &&
      (depth == 16 || depth == 32)) {
    for (int i = 0; i < resolutionCount; ++i) {
      if (resolutions[i].width == width && resolutions[i].height == height) {
        choice.resolution = i;
        choice.depth16 = depth == 16;
        return true;
      }
    }
  }
  std::fprintf(stderr, "BRAKMOOR_DIALOG_CHOICE \"%s\" is not offered; starting with the defaults\n",
               text);
  return true;
}
}  // namespace

bool chooseWindowSettingsGtk(WindowSettings& settings) {
  StartDialogChoice choice;
  if (const char* scripted = std::getenv("BRAKMOOR_DIALOG_CHOICE")) {
    if (!readScriptedChoice(scripted, choice)) return false;
  } else {
    // The game reads its text files with the C locale's number format.
    gtk_disable_setlocale();
    if (!gtk_init_check(nullptr, nullptr)) {
      std::fprintf(stderr, "No display for the start dialog; starting with its defaults\n");
    } else if (!runDialog(choice)) {
      return false;
    }
  }
  applyStartDialogChoice(choice, settings);
  return true;
}
