/* Prints what the end-to-end script needs to find the panels' widgets, measured with the
 * Windows build's own SDL_ttf and SDL_image on the program's data files:
 *   height12 lineskip12 height14 height28 headHeight
 * Run in the data folder. */
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <stdio.h>

static int height(int size, int skip)
{
    TTF_Font *font = TTF_OpenFont("tahoma.ttf", size);
    int h;
    if (!font)
        return -1;
    h = skip ? TTF_FontLineSkip(font) : TTF_FontHeight(font);
    TTF_CloseFont(font);
    return h;
}

int main(int argc, char *argv[])
{
    SDL_Surface *head;
    (void)argc;
    (void)argv;
    if (TTF_Init() != 0)
        return 1;
    head = IMG_Load("head.gif");
    printf("%d %d %d %d %d\n", height(12, 0), height(12, 1), height(14, 0), height(28, 0), head ? head->h : -1);
    fflush(stdout);
    return 0;
}
