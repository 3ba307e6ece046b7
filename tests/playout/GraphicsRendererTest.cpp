#include "playout/GraphicsRenderer.h"

#include <gtest/gtest.h>

TEST(GraphicsRenderer, TheEnterpriseValueChangesEveryColourAndSaysSoOnce) {
    GraphicsRenderer renderer;
    int told = 0;
    QObject::connect(&renderer, &GraphicsRenderer::FactorsChanged, [&] { ++told; });
    const quint32 background = renderer.Background(), panel = renderer.Panel(), text = renderer.Text();
    renderer.SetValue(GraphicsRenderer::Enterprise);
    EXPECT_EQ(told, 1);
    EXPECT_NE(renderer.Background(), background);
    EXPECT_NE(renderer.Panel(), panel);
    EXPECT_NE(renderer.Text(), text);
    renderer.SetValue(GraphicsRenderer::Enterprise);
    EXPECT_EQ(told, 1);   // no change, no word
    renderer.SetValue(3); // any other value is the standard scheme
    EXPECT_EQ(told, 2);
    EXPECT_EQ(renderer.Background(), background);
}
