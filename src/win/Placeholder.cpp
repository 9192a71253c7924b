namespace velltune {

int PlaceholderAnswer()
{
    return 42;
}

}  // namespace velltune
