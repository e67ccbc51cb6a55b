Sub Main()
End Sub
